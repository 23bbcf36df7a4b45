#pragma once

#include "platform/DynamicLibrary.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "tovak/TovakExports.h"

#include <gtest/gtest.h>
#include <string>

namespace testing_support {

// A private user data folder (config.ini and the log live there), logging
// not forced either way, and the library under test loaded.
class TovakLibraryTest : public ::testing::Test {
protected:
    TovakLibraryTest();

    // The bound export; fails the test when it is missing.
    template <typename Function>
    Function exported(const char* name) {
        void* address = m_library.symbol(name);
        EXPECT_NE(address, nullptr) << name;
        return reinterpret_cast<Function>(address);
    }

    // The folder that holds config.ini and the log, ending in '/'.
    std::string dataFolder() const;
    std::string logText() const;

    TempFolder m_dataHome;
    ScopedEnvironment m_dataHomeVariable;
    ScopedEnvironment m_loggingVariable;
    platform::DynamicLibrary m_library;
};

} // namespace testing_support
