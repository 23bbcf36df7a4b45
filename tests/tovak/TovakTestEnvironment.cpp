#include "TovakTestEnvironment.h"

namespace testing_support {

TovakLibraryTest::TovakLibraryTest()
    : m_dataHomeVariable("NIMBORA_DATA_HOME", m_dataHome.path()),
      m_loggingVariable("NIMBORA_LOGGING", std::nullopt), m_library(TOVAK_LIBRARY_PATH) {
    EXPECT_TRUE(m_library.isLoaded()) << m_library.lastError();
}

std::string TovakLibraryTest::dataFolder() const {
    return m_dataHome.path() + "Nimbora/Screensaver/";
}

std::string TovakLibraryTest::logText() const {
    return m_dataHome.read("Nimbora/Screensaver/screensaver.log");
}

} // namespace testing_support
