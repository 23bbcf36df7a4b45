// The settings dialog's handlers without a window: its controls, the preview
// and the rest of the program are fakes; packs and the location search are
// real ones in private folders.
#include "FakeCityChooser.h"
#include "RecordedBoxes.h"
#include "SaverDialogFakes.h"
#include "SearchAnswerServer.h"
#include "app/SettingsStore.h"
#include "packs/PackFolders.h"
#include "res/ResourceIds.h"
#include "slideshow/PackFixtures.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

using ui_test::FakeControls;
using Calls = std::vector<std::string>;

class SaverDialogLogicTest : public ::testing::Test {
protected:
    SaverDialogLogicTest() : m_factory(m_server.base()) {
        m_services.m_pPreview = &m_preview;
        m_services.m_picker.m_pPreview = &m_preview;
        m_services.m_picker.m_pControls = &m_controls;
        m_services.m_picker.m_pValues = &m_logic.values();
        SaverDialogValues& values = m_logic.values();
        values.m_locID = values.m_origLocID = "US80301";
        values.m_displayName = values.m_origDisplayName = values.m_locationText = "Boulder, CO";
        values.m_displayImageMethod = 1;
        values.m_displayShowAllMethod = 1;
        values.m_speed = 1;
        values.m_blendImages = 1;
    }

    // A pack with two groups of two images; an empty name leaves the
    // pack's display name out.
    static void addPack(const std::string& folder, const std::string& fileName,
                        const std::string& displayName, int nVersion = 1,
                        bool bWeatherTriggered = true) {
        std::string manifest = displayName.empty()
                                   ? fixtures::manifestWithout(nVersion, "getDLLDisplayName")
                                   : fixtures::completeManifest(nVersion);
        replace(manifest, "value = Test Skies", "value = " + displayName);
        if (bWeatherTriggered) {
            replace(manifest, "[supportsWxTriggered]\nvalue = false",
                    "[supportsWxTriggered]\nvalue = true");
        }
        fixtures::writePack(folder + fileName, manifest);
    }
    static void replace(std::string& text, const std::string& from, const std::string& to) {
        if (const std::size_t at = text.find(from); at != std::string::npos) {
            text.replace(at, from.size(), to);
        }
    }

    static std::string createdFolder(const std::string& folder) {
        std::filesystem::create_directories(folder);
        return folder;
    }
    static void writeFile(const std::string& path, const std::string& content) {
        std::ofstream(path, std::ios::binary) << content;
    }

    SaverDialogValues& values() { return m_logic.values(); }
    void open() { m_logic.onInitDialog(m_preview); }
    std::vector<std::string>& packNames() { return m_controls.m_lists[res::IDC_PACK_LIST]; }
    std::string selectedPackName() {
        return packNames().at(static_cast<std::size_t>(m_controls.m_selected[res::IDC_PACK_LIST]));
    }
    std::string speedLabel() { return m_controls.itemText(res::IDC_SPEED_GROUP); }
    bool previewWasTold(const std::string& call) const {
        return std::find(m_preview.m_calls.begin(), m_preview.m_calls.end(), call) !=
               m_preview.m_calls.end();
    }

    location_test::SearchAnswerServer m_server;
    location_test::RecordedBoxes m_boxes;
    location_test::FakeCityChooser m_chooser;
    ResolveLocationFactory m_factory;
    testing_support::TempFolder m_install;
    testing_support::ScopedEnvironment m_installVariable{"NIMBORA_INSTALL_FOLDER",
                                                         m_install.path()};
    // The user's own pack folder, in the private data home the server set.
    const std::string m_userPacks = createdFolder(userPackFolder());
    FakeControls m_controls;
    ui_test::FakePreview m_preview;
    ui_test::FakeServices m_services;
    SaverDialogLogic m_logic{m_controls, m_services, m_factory, m_chooser};
};

TEST_F(SaverDialogLogicTest, OpensWithTheStoredChoicesAndTellsThePreviewInOrder) {
    addPack(m_install.path(), "skies.wxs", "Skies");
    values().m_displayImageMethod = 3;
    values().m_displayShowAllMethod = 2;
    values().m_speed = 4;
    values().m_blendImages = 0;
    open();
    EXPECT_EQ(values().m_methodRadio, 2);
    EXPECT_EQ(values().m_orderRadio, 1);
    EXPECT_EQ(m_controls.m_nMethodChecked, 2);
    EXPECT_EQ(m_controls.m_nOrderChecked, 1);
    EXPECT_EQ(m_controls.m_nSpeed, 4);
    EXPECT_EQ(speedLabel(), "&Show a new image every 4 minutes");
    EXPECT_EQ(m_controls.itemText(res::IDC_LOCATION), "Boulder, CO");
    // The stored methods, not the radio indices; then the pack.
    EXPECT_EQ(m_preview.m_calls,
              (Calls{"SetSpeed 4 fast", "setDisplayMethod 3 2", "setLocation Boulder, CO US80301",
                     "setBlendImages 0", "setImagePackFile " + m_install.file("skies.wxs"),
                     "setFavorites "}));
    EXPECT_EQ(m_controls.m_lists[res::IDC_TEMPERATURE_LIST], (Calls{"Celsius", "Fahrenheit"}));
    EXPECT_EQ(m_controls.m_selected[res::IDC_TEMPERATURE_LIST], 1);
    EXPECT_TRUE(m_controls.enabled(res::IDC_SELECT_FAVORITES));
    EXPECT_TRUE(m_controls.enabled(res::IDC_LOCATION));
    EXPECT_TRUE(m_controls.m_bTimer);
    EXPECT_EQ(m_services.m_pings, (Calls{"35"}));
    EXPECT_TRUE(m_boxes.boxes().empty());
}

TEST_F(SaverDialogLogicTest, OutOfRangeSettingsOpenWithSaneChoicesThatOkStores) {
    addPack(m_install.path(), "skies.wxs", "Skies");
    values().m_displayImageMethod = 7;
    values().m_displayShowAllMethod = 0;
    values().m_speed = 99;
    values().m_clearScreen = 2;
    values().m_packFileName = "gone.wxs";
    open();
    EXPECT_EQ(m_controls.m_nMethodChecked, 0);
    EXPECT_EQ(m_controls.m_nOrderChecked, 1);
    EXPECT_EQ(m_controls.m_nSpeed, 10);
    EXPECT_EQ(speedLabel(), "&Show a new image every 10 minutes");
    EXPECT_EQ(selectedPackName(), "Skies");

    m_logic.onOK();
    EXPECT_EQ(m_controls.m_nEnded, res::IDOK);
    EXPECT_EQ(values().m_displayImageMethod, 1);
    EXPECT_EQ(values().m_displayShowAllMethod, 2);
    EXPECT_EQ(values().m_speed, 10);
    EXPECT_EQ(values().m_packFileName, "skies.wxs");
    // 2 never meant "clear": only 1 does, and only 0 or 1 is stored.
    EXPECT_EQ(values().m_clearScreen, 0);
    EXPECT_EQ(values().m_blendImages, 1);
    EXPECT_EQ(m_server.requestCount(), 0u);
}

TEST_F(SaverDialogLogicTest, TheTemperatureListFollowsTheUnit) {
    values().m_tempUnit = "C";
    open();
    EXPECT_EQ(m_controls.m_selected[res::IDC_TEMPERATURE_LIST], 0);
    m_controls.pick(res::IDC_TEMPERATURE_LIST, "Fahrenheit");
    m_logic.onTemperatureChanged();
    EXPECT_EQ(values().m_tempUnit, "F");
    m_controls.pick(res::IDC_TEMPERATURE_LIST, "Celsius");
    m_logic.onTemperatureChanged();
    EXPECT_EQ(values().m_tempUnit, "C");
}

TEST_F(SaverDialogLogicTest, TheSpeedBarMovesWithinItsRangeAndTheLabelAndPreviewFollow) {
    values().m_speed = -1;
    open();
    EXPECT_EQ(speedLabel(), "&Show a new image every 15 seconds");
    m_preview.m_calls.clear();

    const struct {
        SpeedScroll action;
        int nThumb;
        int nExpected;
        const char* pLabel;
    } steps[] = {
        {SpeedScroll::LineLeft, 0, -1, "&Show a new image every 15 seconds"},
        {SpeedScroll::LineRight, 0, 0, "&Show a new image every 30 seconds"},
        {SpeedScroll::LineRight, 0, 1, "&Show a new image every minute"},
        {SpeedScroll::PageRight, 0, 3, "&Show a new image every 3 minutes"},
        {SpeedScroll::PageLeft, 0, 1, "&Show a new image every minute"},
        {SpeedScroll::FarRight, 0, 10, "&Show a new image every 10 minutes"},
        {SpeedScroll::PageRight, 0, 10, "&Show a new image every 10 minutes"},
        {SpeedScroll::FarLeft, 0, -1, "&Show a new image every 15 seconds"},
        {SpeedScroll::ThumbTrack, 2, 2, "&Show a new image every 2 minutes"},
        {SpeedScroll::ThumbPosition, 40, 10, "&Show a new image every 10 minutes"},
        {SpeedScroll::ThumbPosition, -7, -1, "&Show a new image every 15 seconds"},
        {SpeedScroll::EndScroll, 5, -1, "&Show a new image every 15 seconds"},
    };
    for (const auto& step : steps) {
        m_logic.onSpeedScroll(step.action, step.nThumb);
        EXPECT_EQ(m_controls.m_nSpeed, step.nExpected);
        EXPECT_EQ(speedLabel(), step.pLabel);
        EXPECT_EQ(m_preview.m_calls.back(), "SetSpeed " + std::to_string(step.nExpected) + " fast");
    }
    // The value itself waits for the next reading of the controls.
    EXPECT_EQ(values().m_speed, -1);
    m_logic.onSpeedScroll(SpeedScroll::FarRight, 0);
    m_logic.onOK();
    EXPECT_EQ(values().m_speed, 10);
}

TEST_F(SaverDialogLogicTest, TheRadioGroupsAndTheBlendBoxReachThePreview) {
    open();
    m_controls.m_nMethodChecked = 2;
    m_controls.m_nOrderChecked = 1;
    m_logic.onMethodOrOrderClicked();
    EXPECT_EQ(m_preview.m_calls.back(), "setDisplayMethod 3 2");
    EXPECT_EQ(values().m_methodRadio, 2);
    m_controls.m_nMethodChecked = 1;
    m_logic.onMethodOrOrderClicked();
    EXPECT_EQ(m_preview.m_calls.back(), "setDisplayMethod 2 2");
    m_controls.m_bBlendImages = false;
    m_logic.onBlendImagesClicked();
    EXPECT_EQ(m_preview.m_calls.back(), "setBlendImages 0");

    m_logic.onOK();
    EXPECT_EQ(values().m_displayImageMethod, 2);
    EXPECT_EQ(values().m_displayShowAllMethod, 2);
    EXPECT_EQ(values().m_blendImages, 0);
}

TEST_F(SaverDialogLogicTest, ThePackListHoldsEveryFolderOncePerFileSortedByName) {
    addPack(m_install.path(), "b.wxs", "Horizons");
    addPack(m_install.path(), "a.wxs", "skies");
    addPack(m_userPacks, "c.wxs", "Coast");
    addPack(m_userPacks, "b.wxs", "Horizons, mine"); // the user's copy wins, as in the show
    addPack(m_userPacks, "d.wxs", "");               // no name: listed under its file
    writeFile(m_userPacks + "broken.wxs", "not an archive");
    writeFile(m_userPacks + "notes.txt", "not a pack");
    SettingsStore::SetString("", "a.wxs", "01,02;02,01");
    open();
    EXPECT_EQ(packNames(), (Calls{"Coast", "d.wxs", "Horizons, mine", "skies"}));
    std::vector<std::string> files;
    for (const PackFile& pack : m_logic.packEntries()) {
        files.push_back(pack.csPath);
    }
    EXPECT_EQ(files, (Calls{m_userPacks + "c.wxs", m_userPacks + "d.wxs", m_userPacks + "b.wxs",
                            m_install.file("a.wxs")}));
    // No current pack: the first entry.
    EXPECT_EQ(selectedPackName(), "Coast");
    EXPECT_EQ(values().m_packFileName, "c.wxs");
    EXPECT_EQ(values().m_favorites.at("a.wxs"), "01,02;02,01");
    EXPECT_EQ(values().m_favorites.at("b.wxs"), "");
    EXPECT_EQ(values().m_favorites.count("broken.wxs"), 0u);
}

TEST_F(SaverDialogLogicTest, TheCurrentPackIsFoundInAnyLetterCaseAndStoredAsOnDisk) {
    addPack(m_install.path(), "Nimbora-Skies.wxs", "Skies");
    addPack(m_install.path(), "nimbora-skies-classic.wxs", "Skies Classic");
    addPack(m_install.path(), "other.wxs", "Skies");
    values().m_packFileName = "NIMBORA-SKIES.WXS";
    open();
    const std::size_t nSelected =
        static_cast<std::size_t>(m_controls.m_selected[res::IDC_PACK_LIST]);
    // Not merely an entry whose name begins the same: that pack itself.
    EXPECT_EQ(m_logic.packEntries().at(nSelected).csFileName, "Nimbora-Skies.wxs");
    EXPECT_EQ(values().m_packFileName, "Nimbora-Skies.wxs");
    EXPECT_TRUE(previewWasTold("setImagePackFile " + m_install.file("Nimbora-Skies.wxs")));
}

TEST_F(SaverDialogLogicTest, TheExactlySpelledPackWinsOverOneDifferingOnlyInCase) {
    addPack(m_install.path(), "skies.wxs", "Skies");
    addPack(m_userPacks, "Skies.wxs", "Skies too"); // another file: letter case counts
    values().m_packFileName = "Skies.wxs";
    open();
    EXPECT_EQ(packNames(), (Calls{"Skies", "Skies too"}));
    EXPECT_EQ(selectedPackName(), "Skies too");
    EXPECT_EQ(values().m_packFileName, "Skies.wxs");
}

TEST_F(SaverDialogLogicTest, WithoutPacksTheFavouritesButtonIsOffAndThePackNameKept) {
    values().m_packFileName = "kept.wxs";
    m_install.write("broken.wxs", "PK but no archive");
    open();
    EXPECT_TRUE(packNames().empty());
    EXPECT_FALSE(m_controls.enabled(res::IDC_SELECT_FAVORITES));
    EXPECT_EQ(values().m_packFileName, "kept.wxs");
    for (const std::string& call : m_preview.m_calls) {
        EXPECT_NE(call.rfind("setImagePackFile", 0), 0u) << call;
    }
    m_logic.onSelectFavoriteImages();
    EXPECT_TRUE(m_services.m_picker.m_requests.empty());
}

TEST_F(SaverDialogLogicTest, APackWithoutWeatherTriggeringTurnsThatMethodOff) {
    addPack(m_install.path(), "new.wxs", "New", 3, false);
    addPack(m_install.path(), "old.wxs", "Old", 2, false);
    addPack(m_install.path(), "wx.wxs", "Weather", 5, true);
    SettingsStore::SetString("", "new.wxs", "01,01");
    values().m_packFileName = "new.wxs";
    open();
    EXPECT_FALSE(m_controls.enabled(res::IDC_METHOD_WEATHER));
    EXPECT_EQ(m_controls.m_nMethodChecked, 2);
    EXPECT_EQ(m_preview.m_calls.back(), "setDisplayMethod 3 1");

    m_controls.pick(res::IDC_PACK_LIST, "Old");
    m_logic.onPackChanged();
    EXPECT_TRUE(m_controls.enabled(res::IDC_METHOD_WEATHER));
    EXPECT_EQ(m_preview.m_calls,
              (Calls{"SetSpeed 1 fast", "setDisplayMethod 1 1", "setLocation Boulder, CO US80301",
                     "setBlendImages 1", "setImagePackFile " + m_install.file("new.wxs"),
                     "setFavorites 01,01", "setDisplayMethod 3 1",
                     "setImagePackFile " + m_install.file("old.wxs"), "setFavorites "}));

    // Favourites stay the method where weather triggering is off.
    m_controls.m_nMethodChecked = 1;
    m_logic.onMethodOrOrderClicked();
    m_controls.pick(res::IDC_PACK_LIST, "New");
    m_logic.onPackChanged();
    EXPECT_FALSE(m_controls.enabled(res::IDC_METHOD_WEATHER));
    EXPECT_EQ(m_controls.m_nMethodChecked, 1);
    m_controls.pick(res::IDC_PACK_LIST, "Weather");
    m_logic.onPackChanged();
    EXPECT_TRUE(m_controls.enabled(res::IDC_METHOD_WEATHER));
    m_logic.onOK();
    EXPECT_EQ(values().m_packFileName, "wx.wxs");
    EXPECT_EQ(values().m_displayImageMethod, 2);
}

TEST_F(SaverDialogLogicTest, ChangingThePackKeepsWhatWasTypedAndScrolled) {
    addPack(m_install.path(), "a.wxs", "Alpha");
    addPack(m_install.path(), "b.wxs", "Beta");
    open();
    m_controls.setItemText(res::IDC_LOCATION, "Denver");
    m_logic.onSpeedScroll(SpeedScroll::FarRight, 0);
    m_controls.pick(res::IDC_PACK_LIST, "Beta");
    m_logic.onPackChanged();
    EXPECT_EQ(m_controls.itemText(res::IDC_LOCATION), "Denver");
    EXPECT_EQ(m_controls.m_nSpeed, 10);
    EXPECT_EQ(values().m_packFileName, "b.wxs");
}

TEST_F(SaverDialogLogicTest, OkWithoutAConnectionSkipsTheLocation) {
    m_services.m_bConnected = false;
    open();
    EXPECT_FALSE(m_controls.enabled(res::IDC_LOCATION));
    m_controls.setItemText(res::IDC_LOCATION, "   ");
    m_logic.onOK();
    EXPECT_EQ(m_controls.m_nEnded, res::IDOK);
    EXPECT_EQ(values().m_locID, "US80301");
    EXPECT_EQ(m_server.requestCount(), 0u);
    EXPECT_TRUE(m_boxes.boxes().empty());
}

TEST_F(SaverDialogLogicTest, OkChecksTheLocationOnlyWhenItsTextChanged) {
    open();
    // The stored name as it is: no search.
    m_logic.onOK();
    EXPECT_EQ(m_controls.m_nEnded, res::IDOK);
    EXPECT_EQ(m_server.requestCount(), 0u);

    m_controls.m_nEnded.reset();
    m_controls.setItemText(res::IDC_LOCATION, " \t ");
    m_logic.onOK();
    EXPECT_FALSE(m_controls.m_nEnded);
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].title, "Note");
    EXPECT_EQ(m_boxes.boxes()[0].text, "A valid location is required.");
    EXPECT_EQ(m_server.requestCount(), 0u);

    m_server.answer("<search><loc id=\"US80202\" type=\"zip\">Denver, CO</loc></search>");
    m_controls.setItemText(res::IDC_LOCATION, " 80202 ");
    m_logic.onOK();
    EXPECT_EQ(m_controls.m_nEnded, res::IDOK);
    EXPECT_EQ(m_server.lastTarget(), "/search/search?site=US&where=80202");
    EXPECT_EQ(values().m_locID, "US80202");
    EXPECT_EQ(values().m_displayName, "Denver, CO");
    EXPECT_EQ(values().m_locationText, " 80202 ");
}

TEST_F(SaverDialogLogicTest, ALocationThatDoesNotResolveKeepsTheDialogOpen) {
    open();
    m_controls.setItemText(res::IDC_LOCATION, "Nowhere");
    m_controls.m_nMethodChecked = 2;
    m_server.answer("<search/>");
    m_logic.onOK();
    EXPECT_FALSE(m_controls.m_nEnded);
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text,
              "The location is invalid.  Please enter another city or Zip code.");
    EXPECT_EQ(values().m_locID, "US80301");
    // What was read from the controls stays read.
    EXPECT_EQ(values().m_displayImageMethod, 3);

    m_boxes.clear();
    m_server.answer("not xml", 500);
    m_logic.onOK();
    EXPECT_FALSE(m_controls.m_nEnded);
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].title, "Nimbora Screensaver");
}

TEST_F(SaverDialogLogicTest, SeveralPlacesAskWhichAndCancellingKeepsTheDialogOpen) {
    open();
    m_server.answer("<search><loc id=\"US1\" type=\"city\">Portland, ME</loc>"
                    "<loc id=\"US2\" type=\"city\">Portland, OR</loc></search>");
    m_controls.setItemText(res::IDC_LOCATION, "Portland");
    m_chooser.m_nAnswer = -1;
    m_logic.onOK();
    EXPECT_FALSE(m_controls.m_nEnded);
    m_chooser.m_nAnswer = 1;
    m_logic.onOK();
    EXPECT_EQ(m_controls.m_nEnded, res::IDOK);
    EXPECT_EQ(m_chooser.m_offered.back(), (Calls{"Portland, ME", "Portland, OR"}));
    EXPECT_EQ(values().m_locID, "US2");
    EXPECT_EQ(values().m_displayName, "Portland, OR");
}

TEST_F(SaverDialogLogicTest, TheFirstUseCheckSaysWhenOffline) {
    m_services.m_bConnected = false;
    values().m_locID.clear();
    open();
    m_logic.onFirstUseTimer();
    EXPECT_FALSE(m_controls.m_bTimer);
    ASSERT_EQ(m_boxes.boxes().size(), 1u);
    EXPECT_EQ(m_boxes.boxes()[0].text,
              "In order to change your selected location, you must be connected to the Internet.");
    EXPECT_EQ(m_services.m_nLocationAsked, 0);
    EXPECT_EQ(Calls(m_preview.m_calls.end() - 2, m_preview.m_calls.end()),
              (Calls{"setPausePreview 1", "setPausePreview 0"}));
    EXPECT_FALSE(m_controls.m_nEnded);
}

TEST_F(SaverDialogLogicTest, TheFirstUseCheckLeavesAStoredLocationAlone) {
    open();
    m_preview.m_calls.clear();
    m_logic.onFirstUseTimer();
    EXPECT_FALSE(m_controls.m_bTimer);
    EXPECT_EQ(m_services.m_nLocationAsked, 0);
    EXPECT_TRUE(m_preview.m_calls.empty());
    EXPECT_TRUE(m_boxes.boxes().empty());
}

TEST_F(SaverDialogLogicTest, ALocationGivenOnFirstUseIsStoredAtOnce) {
    values().m_displayName.clear();
    values().m_origDisplayName.clear();
    values().m_locationText.clear();
    m_services.m_location = ChosenLocation{"Denver, CO", "US80202"};
    open();
    m_logic.onFirstUseTimer();
    EXPECT_EQ(m_services.m_previewWhenAsked, (Calls{"setPausePreview 1"}));
    EXPECT_EQ(m_preview.m_calls.back(), "setPausePreview 0");
    EXPECT_EQ(SettingsStore::GetString("", "locID", ""), "US80202");
    EXPECT_EQ(SettingsStore::GetString("", "displayName", ""), "Denver, CO");
    EXPECT_EQ(m_controls.itemText(res::IDC_LOCATION), "Denver, CO");
    EXPECT_EQ(values().m_origLocID, "US80202");
    EXPECT_EQ(values().m_origDisplayName, "Denver, CO");
    // OK then takes the name as it is shown: no second search.
    m_logic.onOK();
    EXPECT_EQ(m_controls.m_nEnded, res::IDOK);
    EXPECT_EQ(m_server.requestCount(), 0u);
}

TEST_F(SaverDialogLogicTest, CancellingTheFirstUsePromptEndsTheDialogAsCancelled) {
    values().m_locID.clear();
    open();
    m_logic.onFirstUseTimer();
    EXPECT_EQ(m_services.m_nLocationAsked, 1);
    EXPECT_EQ(m_controls.m_nEnded, res::IDCANCEL);
    EXPECT_EQ(m_preview.m_calls.back(), "setPausePreview 0");
    EXPECT_EQ(SettingsStore::GetString("", "locID", "absent"), "absent");
}

TEST_F(SaverDialogLogicTest, TheFavouritePickerGetsThePackAndItsList) {
    addPack(m_install.path(), "a.wxs", "Alpha");
    addPack(m_userPacks, "b.wxs", "Beta");
    SettingsStore::SetString("", "b.wxs", "02,01");
    values().m_packFileName = "b.wxs";
    open();
    ui_test::FakePicker& picker = m_services.m_picker;
    picker.m_answer = "01,01;01,02";
    m_logic.onSelectFavoriteImages();
    ASSERT_EQ(picker.m_requests.size(), 1u);
    EXPECT_EQ(picker.m_requests[0].packPath, m_userPacks + "b.wxs");
    EXPECT_EQ(picker.m_requests[0].packFileName, "b.wxs");
    EXPECT_EQ(picker.m_requests[0].favorites, "02,01");
    EXPECT_EQ(picker.m_seenWhileOpen, (Calls{"setPausePreview 1", "wait cursor", "busy"}));
    EXPECT_FALSE(values().m_busy);
    EXPECT_FALSE(m_controls.m_bWaitCursor);
    EXPECT_EQ(values().m_favorites.at("b.wxs"), "01,01;01,02");
    EXPECT_EQ(m_preview.m_calls.back(), "setFavorites 01,01;01,02");

    // Cancelled: the list stays as it was.
    picker.m_answer.reset();
    m_preview.m_calls.clear();
    m_logic.onSelectFavoriteImages();
    EXPECT_EQ(values().m_favorites.at("b.wxs"), "01,01;01,02");
    EXPECT_EQ(m_preview.m_calls, (Calls{"setPausePreview 1", "setPausePreview 0"}));
}

} // namespace
