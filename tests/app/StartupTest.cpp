#include "AppTestEnvironment.h"
#include "FakeHosts.h"
#include "app/SaverStartup.h"
#include "app/SettingsStore.h"
#include "platform/DebugOutput.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

using Pings = std::vector<std::string>;

class Startup : public StartupWithFakeHosts {
protected:
    void SetUp() override {
        SettingsStore::SetString("", "locID", "USNY0996");
        SettingsStore::SetString("", "displayName", "New York, NY");
    }

    bool start(const std::vector<std::string>& arguments) {
        // Built whole rather than inserted at the front: GCC 12 at -O3
        // warns falsely (-Wnull-dereference) on the insertion.
        std::vector<std::string> commandLine{"/opt/nimbora/nimbora-screensaver"};
        commandLine.insert(commandLine.end(), arguments.begin(), arguments.end());
        return m_startup.InitInstance(commandLine);
    }
};

TEST_F(Startup, FirstFullScreenRunAddsTheFirstLaunchPings) {
    m_env.loadFramework();
    EXPECT_TRUE(start({"/s"}));
    EXPECT_EQ(m_env.pings(), (Pings{"3", "29", "usage", "27", "29"}));
    EXPECT_EQ(SettingsStore::GetString("", "ftl", ""), "false");
    EXPECT_EQ(m_modes.m_calls, (std::vector<std::string>{"fullscreen"}));
    EXPECT_EQ(m_catalogue.m_calls, (std::vector<std::string>{"fetch", "load", "should"}));
    EXPECT_TRUE(m_timer.m_bRunning);
    EXPECT_EQ(m_startup.saverWindow(), &m_modes.m_window);
    EXPECT_EQ(m_modes.m_settings.locID, "USNY0996");
    EXPECT_EQ(m_modes.m_settings.displayName, "New York, NY");

    // The next run of the show is no first launch.
    m_env.m_server.clearRequests();
    FakeModeHost modes;
    SaverStartup second(modes, m_catalogue, m_weather, m_timer);
    EXPECT_TRUE(second.InitInstance({"nimbora-screensaver", "/S"}));
    EXPECT_EQ(m_env.pings(), (Pings{"3", "29", "usage"}));
}

TEST_F(Startup, StartPingsCarryTheStoredIdentity) {
    SettingsStore::SetString("", "LastInstalledImagePackFileName", "Coast.wxs");
    SettingsStore::SetString("", "CurrentImagePackFileName", "Skies.wxs");
    m_env.loadFramework();
    EXPECT_FALSE(start({"/x"}));
    const auto requests = m_env.m_server.requests();
    ASSERT_GE(requests.size(), 3u);
    EXPECT_EQ(requests[0].csTarget, "/27/3?id=&cobrand=Coast.wxs&skin=Skies.wxs&rnd=4242&");
    EXPECT_EQ(requests[1].csTarget, "/27/29?id=&cobrand=Coast.wxs&skin=Skies.wxs&rnd=4242&");
    EXPECT_EQ(requests[2].csTarget, "/services/ssaver/ss1xusagetrack.html?&rnd=4242");
}

TEST_F(Startup, MissingFrameworkSendsOnlyTheDirectPing) {
    m_env.loadMissingFramework();
    SettingsStore::SetString("", "installid", "abc");
    EXPECT_FALSE(start({"/s"}));
    const auto requests = m_env.m_server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].csTarget, "/27/159?id=abc&rnd=4242&");
    EXPECT_EQ(requests[0].header("User-Agent"),
              "Mozilla/4.0 (compatible; MSIE 5.0; Windows NT; DigExt)");
    EXPECT_EQ(requests[0].header("Referer"), m_env.m_server.url());
    EXPECT_TRUE(m_modes.m_calls.empty());
    EXPECT_TRUE(m_catalogue.m_calls.empty());
    EXPECT_EQ(SettingsStore::GetString("", "ftl", ""), "");
}

TEST_F(Startup, UnknownSwitchesEndAfterTheStartPings) {
    m_env.loadFramework();
    for (const char* argument : {"/x", "/p:12345", "/s:1"}) {
        m_env.m_server.clearRequests();
        EXPECT_FALSE(start({argument})) << argument;
        EXPECT_EQ(m_env.pings(), (Pings{"3", "29", "usage"})) << argument;
    }
    EXPECT_TRUE(m_modes.m_calls.empty());
    EXPECT_FALSE(m_timer.m_bRunning);
}

TEST_F(Startup, PreviewGoesIntoTheGivenWindowWithoutFirstLaunchPings) {
    SettingsStore::SetInt("", "displayImageMethod", 3);
    SettingsStore::SetInt("", "clearScreen", 1);
    SettingsStore::SetInt("", "blendImages", 2);
    m_env.loadFramework();
    EXPECT_TRUE(start({"/p", "12345"}));
    EXPECT_EQ(m_modes.m_calls, (std::vector<std::string>{"preview"}));
    EXPECT_EQ(m_modes.m_nParentWindowId, 12345UL);
    EXPECT_EQ(m_modes.m_settings.displayImageMethod, 3);
    EXPECT_EQ(m_modes.m_settings.displayShowAllMethod, 1);
    EXPECT_TRUE(m_modes.m_settings.clearScreen);
    EXPECT_FALSE(m_modes.m_settings.blendImages); // only 1 counts as on
    EXPECT_EQ(m_catalogue.m_calls, (std::vector<std::string>{"fetch"}));
    EXPECT_EQ(m_env.pings(), (Pings{"3", "29", "usage"}));
    EXPECT_EQ(SettingsStore::GetString("", "ftl", ""), "");
    EXPECT_FALSE(m_timer.m_bRunning);
    EXPECT_EQ(m_startup.saverWindow(), nullptr);
}

TEST_F(Startup, PreviewWithoutWindowIdSaysSoInOneLine) {
    m_env.loadFramework();
    std::string said;
    platform::setDebugSink([&said](std::string_view text) { said += text; });
    EXPECT_FALSE(start({"/p"}));
    platform::setDebugSink({});
    EXPECT_TRUE(m_modes.m_calls.empty());
    ASSERT_FALSE(said.empty());
    EXPECT_EQ(said.find('\n'), said.size() - 1);
    EXPECT_NE(said.find("/p 12345"), std::string::npos);
}

TEST_F(Startup, FullScreenWithoutLocationAsksForOneInstead) {
    SettingsStore::SetString("", "displayName", "");
    m_env.loadFramework();
    m_modes.m_dialog = [](ConfigurationValues& values) {
        values.m_displayName = "Boston, MA";
        return true;
    };
    EXPECT_FALSE(start({"/s"}));
    EXPECT_EQ(m_modes.m_calls, (std::vector<std::string>{"dialog"}));
    EXPECT_EQ(SettingsStore::GetString("", "displayName", ""), "Boston, MA");
    EXPECT_EQ(m_env.pings(), (Pings{"3", "29", "usage"}));
    EXPECT_EQ(SettingsStore::GetString("", "ftl", ""), "");
    EXPECT_TRUE(m_catalogue.m_calls.empty());
}

TEST_F(Startup, PromotionIsPreparedAtStartAndShownAtExit) {
    m_env.loadFramework();
    m_catalogue.m_bOfferPromo = true;
    EXPECT_TRUE(start({"/s"}));
    EXPECT_TRUE(m_startup.promoPending());
    EXPECT_EQ(m_catalogue.m_calls,
              (std::vector<std::string>{"fetch", "load", "should", "prepare"}));
    m_startup.ExitInstance();
    m_startup.ExitInstance();
    EXPECT_EQ(m_catalogue.m_calls.back(), "show");
    EXPECT_EQ(m_catalogue.m_calls.size(), 5u); // shown once
}

TEST_F(Startup, WeatherTimerRefreshesOnlyTheFullScreenWindow) {
    m_env.loadFramework();
    // Without the full-screen window not even the download is tried.
    TimerWeather(m_startup);
    EXPECT_EQ(m_weather.m_nRefetches, 0);
    ASSERT_TRUE(start({"/s"}));
    TimerWeather(m_startup);
    EXPECT_EQ(m_weather.m_nRefetches, 1);
    EXPECT_EQ(m_modes.m_window.m_nRefreshes, 1);
    m_weather.m_bRefetchWorks = false;
    TimerWeather(m_startup);
    EXPECT_EQ(m_modes.m_window.m_nRefreshes, 1);
    m_weather.m_bRefetchWorks = true;
    m_startup.forgetSaverWindow();
    TimerWeather(m_startup);
    EXPECT_EQ(m_modes.m_window.m_nRefreshes, 1);
    const std::string log = m_env.m_dataHome.read("Nimbora/Screensaver/screensaver.log");
    EXPECT_NE(log.find("ScreenSaver: TimerWeather() Timer fired\n"), std::string::npos) << log;
}

TEST_F(Startup, AWindowThatIsGoneIsNeverRefreshed) {
    m_env.loadFramework();
    auto pWindow = std::make_unique<FakeSaverWindow>();
    m_modes.m_pWindowToMake = pWindow.get();
    ASSERT_TRUE(start({"/s"}));
    EXPECT_EQ(m_startup.saverWindow(), pWindow.get());
    pWindow.reset();
    EXPECT_EQ(m_startup.saverWindow(), nullptr);
    m_startup.refreshSaverWeather(); // must not reach the deleted window
}

TEST_F(Startup, SaverDaemonRunsTheShowInItsWindowWithoutDialogOrPromotion) {
    SettingsStore::SetString("", "displayName", ""); // no location: still no dialog
    m_env.loadFramework();
    m_catalogue.m_bOfferPromo = true;
    testing_support::ScopedEnvironment daemonWindow("XSCREENSAVER_WINDOW", "0x1C00005");
    EXPECT_TRUE(start({"--root"}));
    EXPECT_EQ(m_modes.m_calls, (std::vector<std::string>{"daemon"}));
    EXPECT_EQ(m_modes.m_nParentWindowId, 0x1C00005UL);
    EXPECT_EQ(m_catalogue.m_calls, (std::vector<std::string>{"fetch", "load"}));
    EXPECT_FALSE(m_startup.promoPending());
    EXPECT_TRUE(m_timer.m_bRunning);
    EXPECT_EQ(m_env.pings(), (Pings{"3", "29", "usage", "27", "29"}));
    EXPECT_EQ(m_startup.saverWindow(), &m_modes.m_window);
    m_weather.m_bRefetchWorks = true;
    m_startup.refreshSaverWeather();
    EXPECT_EQ(m_modes.m_window.m_nRefreshes, 1);
}

TEST_F(Startup, SaverDaemonWindowComesFromItsSwitchOrTheEnvironment) {
    m_env.loadFramework();
    {
        testing_support::ScopedEnvironment unset("XSCREENSAVER_WINDOW", std::nullopt);
        ASSERT_TRUE(start({"-root"}));
        EXPECT_EQ(m_modes.m_nParentWindowId, 0UL); // the root window
    }
    testing_support::ScopedEnvironment daemonWindow("XSCREENSAVER_WINDOW", "12345");
    FakeModeHost modes;
    SaverStartup second(modes, m_catalogue, m_weather, m_timer);
    ASSERT_TRUE(second.InitInstance({"nimbora-screensaver", "--window-id", "4194311"}));
    EXPECT_EQ(modes.m_nParentWindowId, 4194311UL);
}

TEST_F(Startup, SaverDaemonWithABadWindowIdSaysSoAndMakesNothing) {
    m_env.loadFramework();
    for (const char* value : {"0xZZ", "window", "-5", "0x", "99999999999"}) {
        testing_support::ScopedEnvironment daemonWindow("XSCREENSAVER_WINDOW", value);
        std::string said;
        platform::setDebugSink([&said](std::string_view text) { said += text; });
        FakeModeHost modes;
        SaverStartup startup(modes, m_catalogue, m_weather, m_timer);
        EXPECT_FALSE(startup.InitInstance({"nimbora-screensaver", "--root"})) << value;
        platform::setDebugSink({});
        EXPECT_TRUE(modes.m_calls.empty()) << value;
        EXPECT_NE(said.find(std::string("XSCREENSAVER_WINDOW holds \"") + value + "\""),
                  std::string::npos)
            << said;
        EXPECT_EQ(said.find('\n'), said.size() - 1) << said;
    }
    std::string said;
    platform::setDebugSink([&said](std::string_view text) { said += text; });
    EXPECT_FALSE(start({"--window-id"}));
    platform::setDebugSink({});
    EXPECT_NE(said.find("--window-id needs the id of the window"), std::string::npos) << said;
    EXPECT_TRUE(m_modes.m_calls.empty());
}

TEST_F(Startup, CommandLineIsTraced) {
    m_env.loadFramework();
    start({"/x", "two words"});
    const std::string log = m_env.m_dataHome.read("Nimbora/Screensaver/screensaver.log");
    EXPECT_NE(log.find("ScreenSaver: CSaverApp::InitInstance() - Entering Function:  Command "
                       "Line: /opt/nimbora/nimbora-screensaver /x two words \n"),
              std::string::npos)
        << log;
}

} // namespace
