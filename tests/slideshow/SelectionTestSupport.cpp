#include "SelectionTestSupport.h"

#include "tools/PackWriter.h"

#include <sstream>
#include <stdexcept>

namespace selection_testing {

bool RecordingEnvironment::waitForSecondsOtherThan(int nSeenSeconds) {
    ++m_nWaits;
    if (m_bClockFrozen || m_clock.m_nSeconds != nSeenSeconds) {
        return m_clock.m_nSeconds != nSeenSeconds;
    }
    m_clock.m_nSeconds = (m_clock.m_nSeconds + 1) % 60;
    return true;
}

std::string manifestFor(const PackDescription& description) {
    std::ostringstream text;
    text << "[pack]\nformat = 1\n\n[getNumImagesForGroup]\n";
    for (std::size_t n = 0; n < description.imagesPerGroup.size(); ++n) {
        text << n + 1 << " = " << description.imagesPerGroup[n] << "\n";
    }
    text << description.csExtraImageCounts;
    text << "\n[getNumImageGroups]\nvalue = "
         << (description.csNumImageGroups.empty()
                 ? std::to_string(description.imagesPerGroup.size())
                 : description.csNumImageGroups)
         << "\n";
    text << "\n[getGroupForSkyCode]\n" << description.csSkyCodes;
    if (!description.csBoxLocations.empty()) {
        text << "\n[getBoxLocationForImage]\n" << description.csBoxLocations;
    }
    text << "\n[getDLLDisplayName]\nvalue = Selection Skies\n";
    text << "\n[getDLLVersionNumber]\nvalue = " << description.nVersion << "\n";
    text << "\n[getDisplayNameForGroup]\n1 = Sunny\n";
    text << "\n[supportsWxTriggered]\nvalue = true\n";
    if (description.bWithColours) {
        text << "\n[getBorderColorForImage]\ndefault = #102030\n1.2 = #405060\n";
        text << "\n[getColorForWeatherText]\ndefault = #112233\n";
        text << "\n[getColorForLocationText]\ndefault = #445566\n";
        text << "\n[getColorForTemperatureText]\ndefault = #778899\n";
        text << "\n[getIconPath]\nvalue = selection-icons/\n";
    }
    return text.str();
}

std::unique_ptr<ImageDLLInterface> loadPack(const testing_support::TempFolder& folder,
                                            const std::string& csName,
                                            const PackDescription& description) {
    PackWriter writer;
    writer.addEntry("manifest.ini", manifestFor(description));
    std::string csError;
    if (!writer.write(folder.file(csName), csError)) {
        throw std::runtime_error("cannot write test pack: " + csError);
    }
    auto pack = std::make_unique<ImageDLLInterface>(folder.file(csName));
    if (!pack->isLoaded()) {
        throw std::runtime_error("test pack did not load: " + csName);
    }
    return pack;
}

SelectionTest::SelectionTest() {
    resetImageSelectionMemoryForTesting();
    platform::setClock(&m_clock);
}

SelectionTest::~SelectionTest() {
    platform::setClock(nullptr);
    resetImageSelectionMemoryForTesting();
}

} // namespace selection_testing
