#include "AppTestEnvironment.h"
#include "PrivateDisplay.h"
#include "ServicesTestSupport.h"
#include "app/SettingsStore.h"
#include "ui/ControlMap.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace show_testing;
namespace fs = std::filesystem;

namespace {

std::string fileText(const std::string& csPath) {
    std::ifstream in(csPath, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The promotion as a person meets it: a full-screen show over the sample
// pack, the real web services offering the pack that is not installed, and
// the dialog that the end of the show leaves behind, driven with xdotool.
class PromotionWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_env.loadFramework();
        fs::create_symlink(fs::path(INSTALL_FOLDER) / "nimbora-skies.wxs",
                           m_env.m_installFolder.file("nimbora-skies.wxs"));
        for (const char* szFile : {"nimbora-highlands.wxs", "nimbora-highlands-promo.bmp"}) {
            fs::copy_file(fs::path(CATALOGUE_FOLDER) / szFile,
                          m_services.folder().file(std::string("packs/") + szFile));
        }
        fs::copy_file(CATALOGUE_FILE, m_services.folder().file("catalogue.ini"));
        // The catalogue and its downloads from the services; the pings to
        // the recording server, to be counted.
        SettingsStore::SetString("services", "configuration",
                                 "http://127.0.0.1:" + std::to_string(m_services.port()));
        for (const auto& [key, value] :
             {std::pair{"locID", "US80301"}, std::pair{"displayName", "Boulder, CO"},
              std::pair{"CurrentImagePackFileName", "nimbora-skies.wxs"},
              std::pair{"Speed", "10"}}) {
            SettingsStore::SetString("", key, value);
        }
        m_pDisplay = PrivateDisplay::startXvfb(1024, 768);
        ASSERT_NE(m_pDisplay, nullptr);
    }

    std::string log() const {
        return fileText(m_env.m_dataHome.file("Nimbora/Screensaver/screensaver.log"));
    }
    std::string diagnostics() const {
        return "log:\n" + log() + "\noutput:\n" + m_env.m_dataHome.read("output.txt");
    }
    int countInLog(const std::string& csText) const {
        const std::string text = log();
        int nCount = 0;
        for (auto at = text.find(csText); at != std::string::npos; at = text.find(csText, at + 1)) {
            ++nCount;
        }
        return nCount;
    }
    // A full-screen show, once its first photo is completely in.
    Child startShow() {
        const int nShown = countInLog("#### Ending looping");
        Child show =
            startProgram({NIMBORA_TEST_PROGRAM, "/s"}, m_env.m_dataHome.file("output.txt"));
        EXPECT_TRUE(waitUntil([&] { return countInLog("#### Ending looping") > nShown; }))
            << diagnostics();
        return show;
    }
    std::optional<ControlMap> waitForPromotion() {
        const std::string csPath = controlMapPath(m_maps.path(), 156);
        std::optional<ControlMap> map;
        waitUntil([&] {
            map = fs::exists(csPath) ? parseControlMap(fileText(csPath)) : std::nullopt;
            return map.has_value();
        });
        return map;
    }
    bool waitForPings(const std::vector<std::string>& expected) {
        return waitUntil([&] { return m_env.pings() == expected; });
    }
    std::string pingsSeen() const {
        std::string csSeen = "pings seen:";
        for (const std::string& csPing : m_env.pings()) {
            csSeen += " " + csPing;
        }
        return csSeen;
    }
    bool click(const ControlMap& map, int nId) {
        const MappedControl* pControl = map.find(nId);
        return pControl != nullptr &&
               m_pDisplay->xdotool(
                   {"mousemove",
                    std::to_string(pControl->screenRect.x + pControl->screenRect.width / 2),
                    std::to_string(pControl->screenRect.y + pControl->screenRect.height / 2),
                    "click", "1"});
    }

    AppTestEnvironment m_env;
    services_test::RunningServer m_services;
    testing_support::TempFolder m_maps;
    testing_support::ScopedEnvironment m_mapEnvironment{"NIMBORA_CONTROL_MAP_FOLDER",
                                                        m_maps.path()};
    std::unique_ptr<PrivateDisplay> m_pDisplay;
    testing_support::ScopedEnvironment m_accessibility{"NO_AT_BRIDGE", "1"};
    testing_support::ScopedEnvironment m_boxes{"NIMBORA_MESSAGE_BOXES", "stderr"};
    testing_support::ScopedEnvironment m_noLeakCheck{"ASAN_OPTIONS", "detect_leaks=0"};
};

TEST_F(PromotionWindow, YesInstallsTheOfferedPackThatTheNextRunShows) {
    Child show = startShow();
    ASSERT_TRUE(show.isRunning()) << diagnostics();
    ASSERT_TRUE(m_pDisplay->xdotool({"key", "x"}));

    // The show is gone and the promotion is up, with its picture.
    const std::optional<ControlMap> map = waitForPromotion();
    ASSERT_TRUE(map.has_value()) << diagnostics();
    EXPECT_EQ(m_pDisplay->findShowWindow(), 0UL);
    ASSERT_NE(map->find(1041), nullptr);
    EXPECT_TRUE(map->find(1041)->shown);
    const DrawingSurface screen = m_pDisplay->screenshot();
    const PixelRect& client = map->screenRect;
    // The picture's top left corner is the night-blue sky of the pack.
    const std::uint32_t corner = screen.row(client.y + 5)[client.x + 5] & 0xFFFFFF;
    EXPECT_GT(corner & 0xFF, (corner >> 16) & 0xFF) << std::hex << corner;
    // The usage ping goes to the configuration service, the others here.
    EXPECT_TRUE(waitForPings({"3", "29", "27", "29", "201"})) << pingsSeen();

    ASSERT_TRUE(click(*map, 1));
    EXPECT_EQ(show.waitForExit(), 0) << diagnostics();
    const std::string csInstalled =
        m_env.m_dataHome.file("Nimbora/Screensaver/packs/nimbora-highlands.wxs");
    EXPECT_EQ(fileText(csInstalled),
              fileText(std::string(CATALOGUE_FOLDER) + "/nimbora-highlands.wxs"));
    EXPECT_TRUE(waitForPings({"3", "29", "27", "29", "201", "202", "205", "206"})) << pingsSeen();
    EXPECT_EQ(SettingsStore::GetString("", "insby_ext", ""), "promo");
    EXPECT_EQ(SettingsStore::GetString("promo", "toinstall", "<none>"), "<none>");

    // The next run shows the installed pack, its icons from inside it, and
    // offers nothing more.
    m_env.m_server.clearRequests();
    fs::remove(controlMapPath(m_maps.path(), 156));
    SettingsStore::SetString("", "CurrentImagePackFileName", "nimbora-highlands.wxs");
    Child next = startShow();
    ASSERT_TRUE(next.isRunning()) << diagnostics();
    ASSERT_TRUE(m_pDisplay->xdotool({"key", "x"}));
    EXPECT_EQ(next.waitForExit(), 0) << diagnostics();
    EXPECT_FALSE(fs::exists(controlMapPath(m_maps.path(), 156)));
    EXPECT_TRUE(waitForPings({"3", "29"})) << pingsSeen();
    const std::string csOutput = m_env.m_dataHome.read("output.txt");
    EXPECT_EQ(csOutput.find("not loaded"), std::string::npos) << csOutput;
    EXPECT_EQ(log().find("Unable to load"), std::string::npos) << diagnostics();
    EXPECT_NE(csOutput.find("pack id: 'nimbora-highlands.wxs'"), std::string::npos);
    EXPECT_NE(csOutput.find("installed: 'TRUE'"), std::string::npos) << csOutput;
}

} // namespace
