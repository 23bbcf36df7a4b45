// The favourite picker as a person uses it: the real program on a private X
// server, opened from the settings dialog's "..." button and driven with
// xdotool; the choice is found in config.ini after the settings dialog's OK.
#include "AppTestEnvironment.h"
#include "DialogDriver.h"
#include "PrivateDisplay.h"
#include "app/SettingsStore.h"
#include "res/ResourceIds.h"
#include "slideshow/PackFixtures.h"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <sstream>

namespace {

using show_testing::Child;
using show_testing::PrivateDisplay;

constexpr const char* kPickerTitle = "Select Images";

class FavoritePickerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_env.loadFramework();
        writePack();
        for (const auto& [key, value] :
             {std::pair{"locID", "US80301"}, std::pair{"displayName", "Boulder, CO"},
              std::pair{"CurrentImagePackFileName", "skies.wxs"},
              std::pair{"displayImageMethod", "2"}, std::pair{"skies.wxs", "01,02"}}) {
            SettingsStore::SetString("", key, value);
        }
        m_pDisplay = PrivateDisplay::startXvfb(1024, 768);
        ASSERT_NE(m_pDisplay, nullptr);
    }

    // Two groups of four images, each photo and thumbnail of its own colour.
    void writePack() {
        std::string manifest = fixtures::completeManifest(1);
        manifest.replace(manifest.find("1 = 2\n2 = 2\n"), 12, "1 = 4\n2 = 4\n");
        std::map<int, std::string> jpegs;
        for (int g = 1; g <= 2; ++g) {
            for (int i = 1; i <= 4; ++i) {
                const std::uint32_t rgb = static_cast<std::uint32_t>(g * 100) << 16 |
                                          static_cast<std::uint32_t>(i * 60) << 8 | 0x40;
                jpegs[100 * g + i] = fixtures::jpegOf(fixtures::solidSurface(320, 240, rgb));
                jpegs[10000 + 100 * g + i] = fixtures::jpegOf(fixtures::solidSurface(120, 90, rgb));
            }
        }
        fixtures::writePack(m_env.m_installFolder.file("skies.wxs"), manifest, jpegs);
    }

    // Where the picker shows each item's thumbnail, once it has said so.
    std::map<int, PixelRect> itemRects() {
        std::map<int, PixelRect> rects;
        ui_test::waitFor([&] {
            std::ifstream in(
                m_windows.m_maps.file(std::to_string(res::IDD_SELECT_IMAGES) + ".items"));
            int nItem = 0;
            PixelRect rect;
            while (in >> nItem >> rect.x >> rect.y >> rect.width >> rect.height) {
                rects[nItem] = rect;
            }
            return rects.size() == 8;
        });
        return rects;
    }
    static bool clickItem(const ControlMap& picker, const PixelRect& rect, bool bControl) {
        std::vector<std::string> arguments = {
            "mousemove", "--sync", std::to_string((rect.x + rect.width / 2) * picker.scale),
            std::to_string((rect.y + rect.height / 2) * picker.scale)};
        if (bControl) {
            arguments.insert(arguments.end(), {"keydown", "ctrl", "click", "1", "keyup", "ctrl"});
        } else {
            arguments.insert(arguments.end(), {"click", "1"});
        }
        return ui_test::focusWindow(kPickerTitle) && ui_test::xdotool(arguments).exitCode == 0;
    }
    std::optional<ControlMap> picker(const std::string& countText) {
        return ui_test::waitForControlMap(
            m_windows.m_maps.path(), res::IDD_SELECT_IMAGES, [countText](const ControlMap& map) {
                const MappedControl* count = map.find(res::IDC_SELECTED_COUNT);
                return count != nullptr && count->text == countText;
            });
    }
    std::string output() const { return m_windows.output(); }

    AppTestEnvironment m_env;
    std::unique_ptr<PrivateDisplay> m_pDisplay;
    ui_test::ProgramWindowEnvironment m_windows;
    Child m_program;
};

TEST_F(FavoritePickerWindow, CtrlClickedThumbnailsBecomeTheFavouritesInListOrder) {
    m_program = show_testing::startProgram({NIMBORA_TEST_PROGRAM}, m_windows.outputPath());
    ASSERT_TRUE(m_program.isRunning());
    const std::optional<ControlMap> settings =
        ui_test::waitForControlMap(m_windows.m_maps.path(), res::IDD_SAVER_DIALOG);
    ASSERT_TRUE(settings) << output();
    ASSERT_TRUE(ui_test::clickControl(*settings, res::IDC_SELECT_FAVORITES));

    // The stored favourite comes preselected.
    std::optional<ControlMap> map = picker("1 item selected");
    ASSERT_TRUE(map) << output();
    const std::map<int, PixelRect> items = itemRects();
    ASSERT_EQ(items.size(), 8u) << output();

    // 02,03 first, then 01,04, with Ctrl held: three now.
    ASSERT_TRUE(clickItem(*map, items.at(6), true));
    ASSERT_TRUE(picker("2 items selected"));
    ASSERT_TRUE(clickItem(*map, items.at(3), true));
    map = picker("3 items selected");
    ASSERT_TRUE(map) << output();

    ASSERT_TRUE(ui_test::clickControl(*map, res::IDOK));
    EXPECT_TRUE(ui_test::waitFor([] { return !ui_test::isWindowShown(kPickerTitle); }));
    // Nothing is stored before the settings dialog's OK.
    EXPECT_EQ(SettingsStore::GetString("", "skies.wxs", ""), "01,02");
    // The "..." button keeps the focus, so Enter would open the picker
    // again: OK is clicked.
    ASSERT_TRUE(ui_test::clickControl(*settings, res::IDOK));
    EXPECT_EQ(m_program.waitForExit().value_or(-1), 0) << output();
    EXPECT_EQ(SettingsStore::GetString("", "skies.wxs", ""), "01,02;01,04;02,03");
}

} // namespace
