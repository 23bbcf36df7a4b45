// The location dialogs as a person uses them: typed into with the keyboard
// under Xvfb, answered by the real nimbora-services or a recording server.
#include "DialogDriver.h"
#include "services/ServicesTestSupport.h"
#include "support/LocalHttpServer.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

using ui_test::DialogToolRun;

constexpr const char* kEntryTitle = "Location Preference";
constexpr int kEntryTemplate = 140;
constexpr int kCityTemplate = 131;

class LocationDialogsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "needs a display (run under xvfb-run)";
        }
    }

    // Closes the box the tool reported, and checks the dialog is still up.
    static void dismissBoxOver(DialogToolRun& run, const std::string& boxTitle) {
        ASSERT_TRUE(ui_test::waitFor([&] { return run.windowShown(boxTitle); }));
        ASSERT_TRUE(run.key(boxTitle, "Return"));
        ASSERT_TRUE(ui_test::waitFor([&] { return !run.windowShown(boxTitle); }));
        EXPECT_TRUE(run.windowShown(kEntryTitle));
    }

    static void cancelEntry(DialogToolRun& run) {
        ASSERT_TRUE(run.key(kEntryTitle, "Escape"));
        EXPECT_TRUE(run.waitForReport("cancel"));
        EXPECT_EQ(run.waitForExit(), 0);
    }
};

TEST_F(LocationDialogsWindowTest, BlanksOnlyAskForALocationAndSendNothing) {
    testing_support::LocalHttpServer search([](httplib::Server& server) {
        server.Get("/search/search", [](const httplib::Request&, httplib::Response& res) {
            res.set_content("<search/>", "application/xml");
        });
    });
    DialogToolRun run(search.url(), {"enter-location"});
    ASSERT_TRUE(run.waitForDialog(kEntryTemplate));
    ASSERT_TRUE(run.type(kEntryTitle, "   "));
    ASSERT_TRUE(run.key(kEntryTitle, "Return"));
    EXPECT_EQ(run.waitForReport("box"), "box\tNote\tA valid location is required.");
    dismissBoxOver(run, "Note");
    EXPECT_EQ(search.requestCount(), 0u);
    cancelEntry(run);
}

TEST_F(LocationDialogsWindowTest, AZipCodeWithOneMatchEndsTheDialogAtOnce) {
    services_test::RunningServer services;
    DialogToolRun run("http://127.0.0.1:" + std::to_string(services.port()), {"enter-location"});
    ASSERT_TRUE(run.waitForDialog(kEntryTemplate));
    // Away from the field and back through its label's mnemonic.
    ASSERT_TRUE(run.key(kEntryTitle, "Tab"));
    ASSERT_TRUE(run.key(kEntryTitle, "alt+e"));
    ASSERT_TRUE(run.type(kEntryTitle, "62701"));
    ASSERT_TRUE(run.key(kEntryTitle, "Return"));
    EXPECT_EQ(run.waitForReport("ok"), "ok\tUS62701\tSpringfield, IL");
    EXPECT_EQ(run.waitForExit(), 0);
    for (const std::string& line : run.report()) {
        EXPECT_NE(line.rfind("box", 0), 0u) << line;
    }
}

TEST_F(LocationDialogsWindowTest, SeveralMatchesOfferTheCityChoiceWhoseCancelKeepsTheDialog) {
    services_test::RunningServer services;
    DialogToolRun run("http://127.0.0.1:" + std::to_string(services.port()), {"enter-location"});
    ASSERT_TRUE(run.waitForDialog(kEntryTemplate));
    ASSERT_TRUE(run.type(kEntryTitle, "Springfield"));
    ASSERT_TRUE(run.key(kEntryTitle, "Return"));

    std::optional<ControlMap> cities = run.waitForDialog(kCityTemplate);
    ASSERT_TRUE(cities);
    run.forgetDialog(kCityTemplate);
    ASSERT_TRUE(run.click(*cities, 2)); // Cancel
    ASSERT_TRUE(ui_test::waitFor([&] { return !run.windowShown("Select City"); }));
    EXPECT_TRUE(run.windowShown(kEntryTitle));
    EXPECT_TRUE(run.report().empty());

    // Again, and this time the second of the three; Enter in the list
    // presses OK, as it does anywhere but on another button.
    ASSERT_TRUE(run.key(kEntryTitle, "Return"));
    cities = run.waitForDialog(kCityTemplate);
    ASSERT_TRUE(cities);
    ASSERT_TRUE(run.key("Select City", "Down"));
    ASSERT_TRUE(run.key("Select City", "Return"));
    EXPECT_EQ(run.waitForReport("ok"), "ok\tUS01101\tSpringfield, MA");
    EXPECT_EQ(run.waitForExit(), 0);
}

TEST_F(LocationDialogsWindowTest, ANetworkFailureShowsTheRecordsText) {
    DialogToolRun run("http://127.0.0.1:" + std::to_string(testing_support::closedLoopbackPort()),
                      {"enter-location"});
    ASSERT_TRUE(run.waitForDialog(kEntryTemplate));
    ASSERT_TRUE(run.type(kEntryTitle, "Springfield"));
    ASSERT_TRUE(run.key(kEntryTitle, "Return"));
    EXPECT_EQ(run.waitForReport("box"),
              "box\tNimbora Screensaver\tThere was a problem communicating with the server.");
    dismissBoxOver(run, "Nimbora Screensaver");
    cancelEntry(run);
}

} // namespace
