#include "AppTestEnvironment.h"
#include "FakeHosts.h"
#include "app/DrawingWindowSettings.h"
#include "app/LegacyLocation.h"
#include "app/SaverStartup.h"
#include "app/SettingsStore.h"
#include "packs/PackFolders.h"
#include "platform/Folders.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class Configuration : public StartupWithFakeHosts {
protected:
    void SetUp() override { m_env.loadFramework(); }

    std::string settingsFile() { return m_env.m_dataHome.read("Nimbora/Screensaver/config.ini"); }
};

TEST_F(Configuration, DialogIsFilledFromTheStoreWithDefaults) {
    SettingsStore::SetString("", "locID", "USMA0046");
    SettingsStore::SetString("", "displayName", "Boston, MA");
    SettingsStore::SetString("", "ut", "K");
    SettingsStore::SetString("", "clearScreen", "2");
    EXPECT_FALSE(m_startup.InitInstance({"nimbora-screensaver"}));
    ASSERT_EQ(m_modes.m_calls, (std::vector<std::string>{"dialog"}));
    const ConfigurationValues& shown = m_modes.m_shownValues;
    EXPECT_EQ(shown.m_origLocID, "USMA0046");
    EXPECT_EQ(shown.m_locID, "USMA0046");
    EXPECT_EQ(shown.m_origDisplayName, "Boston, MA");
    EXPECT_EQ(shown.m_displayName, "Boston, MA");
    EXPECT_EQ(shown.m_locationText, "Boston, MA");
    EXPECT_EQ(shown.m_displayImageMethod, 1);
    EXPECT_EQ(shown.m_displayShowAllMethod, 1);
    EXPECT_EQ(shown.m_clearScreen, 2); // the integer as stored
    EXPECT_EQ(shown.m_blendImages, 1);
    EXPECT_EQ(shown.m_speed, 1);
    EXPECT_EQ(shown.m_tempUnit, "F");
    EXPECT_EQ(shown.m_packFolder, m_env.m_installFolder.path());
    EXPECT_EQ(m_weather.m_units, (std::vector<std::string>{"F"}));
}

TEST_F(Configuration, CancelWritesNothing) {
    SettingsStore::SetString("", "ut", "K");
    const std::string before = settingsFile();
    m_modes.m_dialog = [](ConfigurationValues& values) {
        values.m_locID = "changed";
        values.m_favorites["Skies.wxs"] = "01,01";
        return false;
    };
    for (const char* form : {"/c:1234", "/C", "-c", "c"}) {
        EXPECT_FALSE(m_startup.InitInstance({"nimbora-screensaver", form}));
    }
    EXPECT_EQ(m_modes.m_calls.size(), 4u);
    EXPECT_EQ(settingsFile(), before);
}

TEST_F(Configuration, OkWritesEverythingInOrderWithTheUnitNormalised) {
    SettingsStore::SetString("", "ut", "K");
    m_modes.m_dialog = [](ConfigurationValues& values) {
        values.m_speed = 4;
        values.m_displayImageMethod = 2;
        values.m_displayShowAllMethod = 3;
        values.m_clearScreen = 1;
        values.m_blendImages = 0;
        values.m_locID = "USNY0996";
        values.m_displayName = "New York, NY";
        values.m_packFileName = "Skies.wxs";
        values.m_favorites["Skies.wxs"] = "01,02;03,04";
        values.m_favorites["Coast.wxs"] = "02,01";
        return true;
    };
    EXPECT_FALSE(m_startup.InitInstance({"nimbora-screensaver", "/c"}));
    EXPECT_EQ(SettingsStore::GetString("", "ut", ""), "F");
    EXPECT_EQ(SettingsStore::GetInt("", "Speed", 0), 4);
    EXPECT_EQ(SettingsStore::GetInt("", "displayImageMethod", 0), 2);
    EXPECT_EQ(SettingsStore::GetInt("", "displayShowAllMethod", 0), 3);
    EXPECT_EQ(SettingsStore::GetInt("", "clearScreen", 0), 1);
    EXPECT_EQ(SettingsStore::GetInt("", "blendImages", 1), 0);
    EXPECT_EQ(SettingsStore::GetString("", "locID", ""), "USNY0996");
    EXPECT_EQ(SettingsStore::GetString("", "displayName", ""), "New York, NY");
    EXPECT_EQ(SettingsStore::GetString("", "CurrentImagePackFileName", ""), "Skies.wxs");
    EXPECT_EQ(SettingsStore::GetString("", "Skies.wxs", ""), "01,02;03,04");
    EXPECT_EQ(SettingsStore::GetString("", "Coast.wxs", ""), "02,01");
    EXPECT_EQ(m_weather.m_units.back(), "F");

    // Keys new to the file appear in the order they were written.
    const std::string file = settingsFile();
    std::size_t last = 0;
    for (const char* key :
         {"Speed=", "displayImageMethod=", "displayShowAllMethod=", "clearScreen=", "blendImages=",
          "locID=", "displayName=", "CurrentImagePackFileName=", "Coast.wxs=", "Skies.wxs="}) {
        const std::size_t at = file.find(key);
        ASSERT_NE(at, std::string::npos) << key;
        EXPECT_GT(at, last) << key;
        last = at;
    }
}

TEST_F(Configuration, UnitChosenInTheDialogIsKept) {
    m_modes.m_dialog = [](ConfigurationValues& values) {
        values.m_tempUnit.assign(1, 'C');
        return true;
    };
    m_startup.runConfiguration();
    EXPECT_EQ(SettingsStore::GetString("", "ut", ""), "C");
    m_modes.m_dialog = [](ConfigurationValues& values) {
        values.m_tempUnit.assign(1, 'c'); // only "F" and "C" exactly
        return true;
    };
    m_startup.runConfiguration();
    EXPECT_EQ(SettingsStore::GetString("", "ut", ""), "F");
}

TEST_F(Configuration, FirstPackFoundBecomesTheCurrentOne) {
    m_env.m_installFolder.write("Beta.wxs", "x");
    m_env.m_installFolder.write("Alpha.wxs", "x");
    m_env.m_installFolder.write("notes.txt", "x");
    const std::string first = platform::findFiles(m_env.m_installFolder.path(), "*.wxs").front();
    SettingsStore::SetString("", first, "01,01");
    DrawingWindowSettings settings;
    chooseImagePack(settings);
    EXPECT_EQ(settings.imagePackFile, m_env.m_installFolder.path() + first);
    EXPECT_EQ(settings.favorites, "01,01");
    EXPECT_EQ(SettingsStore::GetString("", "CurrentImagePackFileName", ""), first);
}

TEST_F(Configuration, StoredPackIsUsedEvenWhenItsFileIsGone) {
    m_env.m_installFolder.write("Alpha.wxs", "x");
    SettingsStore::SetString("", "CurrentImagePackFileName", "Gone.wxs");
    DrawingWindowSettings settings;
    chooseImagePack(settings);
    EXPECT_EQ(settings.imagePackFile, m_env.m_installFolder.path() + "Gone.wxs");
    EXPECT_EQ(settings.favorites, "");
}

TEST_F(Configuration, NoPackInTheFolderMeansNoPack) {
    DrawingWindowSettings settings;
    settings.imagePackFile = "stale";
    settings.favorites = "stale";
    chooseImagePack(settings);
    EXPECT_EQ(settings.imagePackFile, "");
    EXPECT_EQ(settings.favorites, "");
    EXPECT_EQ(SettingsStore::GetString("", "CurrentImagePackFileName", "<absent>"), "<absent>");
}

TEST_F(Configuration, PacksComeFromBothFoldersAndTheUsersOwnCopyWins) {
    const std::string userPacks = m_env.m_dataHome.file("Nimbora/Screensaver/packs/");
    std::filesystem::create_directories(userPacks);
    m_env.m_dataHome.write("Nimbora/Screensaver/packs/Mine.wxs", "x");
    DrawingWindowSettings settings;
    // Found in the user's folder alone.
    chooseImagePack(settings);
    EXPECT_EQ(settings.imagePackFile, userPacks + "Mine.wxs");
    EXPECT_EQ(SettingsStore::GetString("", "CurrentImagePackFileName", ""), "Mine.wxs");

    // The install folder's packs come first when none is chosen, but the
    // user's copy of the same name is the one loaded.
    SettingsStore::SetString("", "CurrentImagePackFileName", "");
    m_env.m_installFolder.write("Both.wxs", "x");
    m_env.m_dataHome.write("Nimbora/Screensaver/packs/Both.wxs", "x");
    chooseImagePack(settings);
    EXPECT_EQ(settings.imagePackFile, userPacks + "Both.wxs");
    const std::vector<PackFile> packs = listPackFiles();
    ASSERT_EQ(packs.size(), 2u);
    EXPECT_EQ(packs[0].csFileName, "Both.wxs");
    EXPECT_EQ(packs[0].csPath, userPacks + "Both.wxs");
    EXPECT_EQ(packs[1].csPath, userPacks + "Mine.wxs");
    EXPECT_EQ(findPackFile("../Screensaver/packs/Both.wxs"), "");
}

class LegacyMigration : public ::testing::Test {
protected:
    void writeAppsIni(const std::string& slots) {
        m_env.m_dataHome.write("Nimbora/Desktop/apps.ini",
                               "[Software\\Nimbora\\Apps\\AppData\\locations]\n" + slots);
    }
    std::string stored(const char* key) { return SettingsStore::GetString("", key, ""); }

    AppTestEnvironment m_env;
};

TEST_F(LegacyMigration, TakesTheFirstNamedSlot) {
    writeAppsIni("pl_1=\nlocid_1=SKIP\ndispname_1=Skip\n"
                 "pl_2=Home\nlocid_2=USMA0046\ndispname_2=Boston, MA\n"
                 "pl_3=Work\nlocid_3=USNY0996\ndispname_3=New York, NY\n");
    migrateLegacyLocation();
    EXPECT_EQ(stored("locID"), "USMA0046");
    EXPECT_EQ(stored("displayName"), "Boston, MA");
}

TEST_F(LegacyMigration, StopsAtTheFirstNamedSlotEvenWhenItIsIncomplete) {
    writeAppsIni("pl_2=Home\nlocid_2=USMA0046\n"
                 "pl_3=Work\nlocid_3=USNY0996\ndispname_3=New York, NY\n");
    migrateLegacyLocation();
    EXPECT_EQ(stored("locID"), "");
    EXPECT_EQ(stored("displayName"), "");
}

TEST_F(LegacyMigration, LeavesAStoredLocationAlone) {
    writeAppsIni("pl_1=Home\nlocid_1=USMA0046\ndispname_1=Boston, MA\n");
    SettingsStore::SetString("", "locID", "USNY0996");
    SettingsStore::SetString("", "displayName", "New York, NY");
    migrateLegacyLocation();
    EXPECT_EQ(stored("locID"), "USNY0996");

    // Half a stored location is no location: the copy replaces it.
    SettingsStore::SetString("", "displayName", "");
    migrateLegacyLocation();
    EXPECT_EQ(stored("locID"), "USMA0046");
    EXPECT_EQ(stored("displayName"), "Boston, MA");
}

TEST_F(LegacyMigration, WithoutTheFileNothingChanges) {
    migrateLegacyLocation();
    EXPECT_EQ(SettingsStore::GetString("", "locID", "<absent>"), "<absent>");
    writeAppsIni("pl_6=Far\nlocid_6=X\ndispname_6=Y\n"); // beyond the five slots
    migrateLegacyLocation();
    EXPECT_EQ(SettingsStore::GetString("", "locID", "<absent>"), "<absent>");
}

} // namespace
