#include "support/WxTestApplication.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/init.h>

namespace testing_support {

namespace {

bool g_bReady = false;

class WxApplication : public ::testing::Environment {
public:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            return;
        }
        static char name[] = "nimbora_window_test";
        static char* argv[] = {name, nullptr};
        int argc = 1;
        wxApp::SetInstance(new wxApp());
        g_bReady = wxEntryStart(argc, argv) && wxTheApp->CallOnInit();
    }
    void TearDown() override {
        if (g_bReady) {
            wxTheApp->OnExit();
            wxEntryCleanup();
            g_bReady = false;
        }
    }
};

[[maybe_unused]] ::testing::Environment* const g_pApplication =
    ::testing::AddGlobalTestEnvironment(new WxApplication);

} // namespace

bool wxApplicationReady() {
    return g_bReady;
}

} // namespace testing_support
