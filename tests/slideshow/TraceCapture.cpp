#include "TraceCapture.h"

#include <fstream>

namespace fixtures {

TraceCapture::TraceCapture()
    : m_dataHomeVariable("NIMBORA_DATA_HOME", m_dataHome.path()),
      m_loggingVariable("NIMBORA_LOGGING", "1"),
      m_pTovak(std::make_unique<TovakInterface>("ScreenSaver", TOVAK_LIBRARY_FOLDER)),
      m_pPrevious(g_pTovakInterface) {
    g_pTovakInterface = m_pTovak.get();
}

TraceCapture::~TraceCapture() {
    g_pTovakInterface = m_pPrevious;
}

std::vector<std::string> TraceCapture::lines() const {
    std::ifstream in(m_dataHome.path() + "Nimbora/Screensaver/screensaver.log");
    std::vector<std::string> lines;
    const std::string csMarker = "ScreenSaver: ";
    for (std::string csLine; std::getline(in, csLine);) {
        const auto nAt = csLine.find(csMarker);
        lines.push_back(nAt == std::string::npos ? csLine : csLine.substr(nAt + csMarker.size()));
    }
    return lines;
}

} // namespace fixtures
