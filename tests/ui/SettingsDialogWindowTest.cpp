// The settings dialog as a person uses it: the real program on a private X
// server, driven with xdotool, its choices found in config.ini afterwards.
#include "AppTestEnvironment.h"
#include "DialogDriver.h"
#include "PrivateDisplay.h"
#include "app/SettingsStore.h"
#include "res/ResourceIds.h"
#include "services/ServicesTestSupport.h"
#include "slideshow/PackFixtures.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

using show_testing::Child;
using show_testing::PrivateDisplay;

constexpr const char* kSettingsTitle = "Nimbora Screensaver";
constexpr int kSettings = res::IDD_SAVER_DIALOG;
constexpr std::uint32_t kRed = 0xE01010;
constexpr std::uint32_t kGreen = 0x10C020;

bool near(std::uint32_t a, std::uint32_t b) {
    for (int shift : {0, 8, 16}) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (d > 40 || d < -40) {
            return false;
        }
    }
    return true;
}

class SettingsDialogWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_env.loadFramework();
        addPack("alpha.wxs", "Alpha Reds", kRed);
        addPack("beta.wxs", "Beta Greens", kGreen);
        for (const auto& [key, value] :
             {std::pair{"locID", "US80301"}, std::pair{"displayName", "Boulder, CO"},
              std::pair{"CurrentImagePackFileName", "alpha.wxs"},
              std::pair{"displayImageMethod", "3"}, std::pair{"Speed", "1"}}) {
            SettingsStore::SetString("", key, value);
        }
        SettingsStore::SetString("services", "search",
                                 "http://127.0.0.1:" + std::to_string(m_services.port()));
        m_pDisplay = PrivateDisplay::startXvfb(1024, 768);
        ASSERT_NE(m_pDisplay, nullptr);
    }

    // A pack whose photos are all of one colour.
    void addPack(const std::string& fileName, const std::string& name, std::uint32_t rgb) {
        std::string manifest = fixtures::completeManifest(1);
        manifest.replace(manifest.find("Test Skies"), 10, name);
        const std::string photo = fixtures::jpegOf(fixtures::solidSurface(320, 240, rgb));
        fixtures::writePack(m_env.m_installFolder.file(fileName), manifest,
                            {{101, photo}, {102, photo}, {201, photo}, {202, photo}});
    }

    void start() {
        m_program = show_testing::startProgram({NIMBORA_TEST_PROGRAM}, m_windows.outputPath());
        ASSERT_TRUE(m_program.isRunning());
    }
    std::optional<ControlMap> settings(const std::function<bool(const ControlMap&)>& until = {}) {
        return ui_test::waitForControlMap(m_windows.m_maps.path(), kSettings, until);
    }
    static std::function<bool(const ControlMap&)> textIs(int nId, const std::string& text) {
        return [nId, text](const ControlMap& map) {
            const MappedControl* control = map.find(nId);
            return control != nullptr && control->text == text;
        };
    }
    // The colour in the middle of the preview, once it is near rgb.
    bool previewShows(const ControlMap& map, std::uint32_t rgb) {
        const PixelRect& screen = map.find(res::IDC_PREVIEW_PLACEHOLDER)->screenRect;
        return show_testing::waitUntil([&] {
            const DrawingSurface shot = m_pDisplay->screenshot();
            return near(shot.row(screen.y + screen.height / 2)[screen.x + screen.width / 2], rgb);
        });
    }
    std::string configFile() const {
        return m_env.m_dataHome.read("Nimbora/Screensaver/config.ini");
    }
    std::string output() const { return m_windows.output(); }
    int exitCode() { return m_program.waitForExit().value_or(-1); }

    AppTestEnvironment m_env;
    services_test::RunningServer m_services;
    std::unique_ptr<PrivateDisplay> m_pDisplay;
    ui_test::ProgramWindowEnvironment m_windows;
    Child m_program;
};

TEST_F(SettingsDialogWindow, TheSpeedBarChangesItsLabel) {
    start();
    std::optional<ControlMap> map =
        settings(textIs(res::IDC_SPEED_GROUP, "Show a new image every minute"));
    ASSERT_TRUE(map) << output();
    // A click at the bar's far end, then its keys.
    const PixelRect bar = map->find(res::IDC_SPEED_SCROLLBAR)->screenRect;
    ASSERT_TRUE(ui_test::xdotool({"mousemove", "--sync", std::to_string(bar.x + bar.width - 3),
                                  std::to_string(bar.y + bar.height / 2), "click", "1"})
                    .exitCode == 0);
    EXPECT_TRUE(settings(textIs(res::IDC_SPEED_GROUP, "Show a new image every 10 minutes")));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Home"));
    EXPECT_TRUE(settings(textIs(res::IDC_SPEED_GROUP, "Show a new image every 15 seconds")));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Right"));
    EXPECT_TRUE(settings(textIs(res::IDC_SPEED_GROUP, "Show a new image every 30 seconds")));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Return"));
    EXPECT_EQ(exitCode(), 0);
    EXPECT_EQ(SettingsStore::GetString("", "Speed", ""), "0");
}

TEST_F(SettingsDialogWindow, ThePreviewFollowsThePackChosen) {
    start();
    std::optional<ControlMap> map = settings();
    ASSERT_TRUE(map) << output();
    EXPECT_TRUE(previewShows(*map, kRed));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "alt+p"));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Down"));
    EXPECT_TRUE(previewShows(*map, kGreen));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Return"));
    EXPECT_EQ(exitCode(), 0);
    EXPECT_EQ(SettingsStore::GetString("", "CurrentImagePackFileName", ""), "beta.wxs");
}

TEST_F(SettingsDialogWindow, FavouritesWithoutAnyStillShowPhotosAndAreStored) {
    start();
    std::optional<ControlMap> map = settings();
    ASSERT_TRUE(map) << output();
    ASSERT_TRUE(ui_test::clickControl(*map, res::IDC_METHOD_FAVORITES));
    EXPECT_TRUE(previewShows(*map, kRed));
    ASSERT_TRUE(ui_test::clickControl(*map, res::IDOK));
    EXPECT_EQ(exitCode(), 0);
    EXPECT_EQ(SettingsStore::GetString("", "displayImageMethod", ""), "2");
    EXPECT_EQ(SettingsStore::GetString("", "alpha.wxs", "absent"), "");
}

TEST_F(SettingsDialogWindow, ANewCityTypedIsResolvedAndStoredOnOk) {
    start();
    ASSERT_TRUE(settings()) << output();
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "alt+z"));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "ctrl+a"));
    ASSERT_TRUE(ui_test::typeInto(kSettingsTitle, "Nowhere Special"));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Return"));
    // Not found: said, and the dialog stays.
    ASSERT_TRUE(ui_test::waitFor([&] {
        return output().find("The location is invalid.  Please enter another city or Zip code.") !=
               std::string::npos;
    })) << output();
    EXPECT_TRUE(ui_test::isWindowShown(kSettingsTitle));

    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "ctrl+a"));
    ASSERT_TRUE(ui_test::typeInto(kSettingsTitle, "62701"));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Return"));
    EXPECT_EQ(exitCode(), 0) << output();
    EXPECT_EQ(SettingsStore::GetString("", "locID", ""), "US62701");
    EXPECT_EQ(SettingsStore::GetString("", "displayName", ""), "Springfield, IL");
}

TEST_F(SettingsDialogWindow, CancelAfterEditsLeavesTheSettingsFileAsItWas) {
    const std::string before = configFile();
    start();
    std::optional<ControlMap> map = settings();
    ASSERT_TRUE(map) << output();
    ASSERT_TRUE(ui_test::clickControl(*map, res::IDC_METHOD_SHOW_ALL));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "alt+p"));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Down"));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "alt+z"));
    ASSERT_TRUE(ui_test::typeInto(kSettingsTitle, " and more"));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Escape"));
    EXPECT_EQ(exitCode(), 0);
    EXPECT_EQ(configFile(), before);
}

TEST_F(SettingsDialogWindow, OutOfRangeSettingsOpenSaneAndOkStoresValidOnes) {
    for (const auto& [key, value] :
         {std::pair{"Speed", "99"}, std::pair{"displayImageMethod", "7"},
          std::pair{"CurrentImagePackFileName", "gone.wxs"}, std::pair{"ut", "K"}}) {
        SettingsStore::SetString("", key, value);
    }
    start();
    const std::optional<ControlMap> map =
        settings(textIs(res::IDC_SPEED_GROUP, "Show a new image every 10 minutes"));
    ASSERT_TRUE(map) << output();
    // The first pack in place of the one that is gone.
    EXPECT_TRUE(previewShows(*map, kRed));
    ASSERT_TRUE(ui_test::clickControl(*map, res::IDOK));
    EXPECT_EQ(exitCode(), 0) << output();
    EXPECT_EQ(SettingsStore::GetString("", "Speed", ""), "10");
    EXPECT_EQ(SettingsStore::GetString("", "displayImageMethod", ""), "1");
    EXPECT_EQ(SettingsStore::GetString("", "CurrentImagePackFileName", ""), "alpha.wxs");
    EXPECT_EQ(SettingsStore::GetString("", "ut", ""), "F");
}

TEST_F(SettingsDialogWindow, TheFirstUsePromptStoresItsPlaceAtOnce) {
    SettingsStore::SetString("", "locID", "");
    start();
    ASSERT_TRUE(ui_test::waitForControlMap(m_windows.m_maps.path(), res::IDD_ENTER_LOCATION))
        << output();
    ASSERT_TRUE(ui_test::typeInto("Location Preference", "62701"));
    ASSERT_TRUE(ui_test::pressKeys("Location Preference", "Return"));
    EXPECT_TRUE(settings(textIs(res::IDC_LOCATION, "Springfield, IL")));
    EXPECT_TRUE(
        ui_test::waitFor([] { return SettingsStore::GetString("", "locID", "") == "US62701"; }));
    // Kept even though the settings dialog is cancelled.
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Escape"));
    EXPECT_EQ(exitCode(), 0);
    EXPECT_EQ(SettingsStore::GetString("", "locID", ""), "US62701");
    EXPECT_EQ(SettingsStore::GetString("", "displayName", ""), "Springfield, IL");
}

TEST_F(SettingsDialogWindow, ALinkOpensItsAddressInTheBrowser) {
    // xdg-open finds no browser here; $BROWSER names one that writes down
    // what it was asked to open.
    testing_support::TempFolder bin;
    bin.write("xdg-open", "#!/bin/sh\nexit 3\n");
    bin.write("browser", "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + bin.file("opened") + "'\n");
    ::chmod(bin.file("xdg-open").c_str(), 0755);
    ::chmod(bin.file("browser").c_str(), 0755);
    testing_support::ScopedEnvironment path("PATH", bin.path() + ":" + std::getenv("PATH"));
    testing_support::ScopedEnvironment browser("BROWSER", bin.file("browser"));
    start();
    std::optional<ControlMap> map = settings();
    ASSERT_TRUE(map) << output();
    ASSERT_TRUE(ui_test::clickControl(*map, res::IDC_DOWNLOAD_LINK));
    EXPECT_TRUE(ui_test::waitFor([&] { return !bin.read("opened").empty(); }));
    EXPECT_EQ(bin.read("opened"),
              m_env.m_server.url() + "/services/screensaver/screensaver_email_lp.html?from=SS3\n");
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Escape"));
    EXPECT_EQ(exitCode(), 0);
}

TEST_F(SettingsDialogWindow, TheAboutBoxShowsTheVersionAndItsLinks) {
    start();
    std::optional<ControlMap> map = settings();
    ASSERT_TRUE(map) << output();
    ASSERT_TRUE(ui_test::clickControl(*map, res::IDC_ABOUT_BUTTON));
    const std::optional<ControlMap> about =
        ui_test::waitForControlMap(m_windows.m_maps.path(), res::IDD_ABOUTBOX);
    ASSERT_TRUE(about) << output();
    EXPECT_EQ(about->find(res::IDC_VERSION)->text, "v 3.00.00");
    EXPECT_EQ(about->find(res::IDC_VIEW_PHOTOS_LINK)->text, "View more photos");
    EXPECT_TRUE(about->find(res::IDC_SUBMIT_PHOTOS_LINK)->shown);
    ASSERT_TRUE(ui_test::pressKeys(about->title, "Return"));
    EXPECT_TRUE(ui_test::waitFor([&] { return !ui_test::isWindowShown(about->title); }));
    ASSERT_TRUE(ui_test::pressKeys(kSettingsTitle, "Escape"));
    EXPECT_EQ(exitCode(), 0);
    // The dialog asked for its usage ping.
    const std::vector<std::string> pings = m_env.pings();
    EXPECT_NE(std::find(pings.begin(), pings.end(), "35"), pings.end());
}

} // namespace
