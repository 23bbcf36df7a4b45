#include "app/SettingsStore.h"

#include "platform/Folders.h"
#include "platform/Process.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::ScopedEnvironment;
using testing_support::TempFolder;

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    TempFolder m_home;
    TempFolder m_runtime;
    ScopedEnvironment m_dataHome{"NIMBORA_DATA_HOME", m_home.path() + "data"};
    ScopedEnvironment m_runtimeFolder{"XDG_RUNTIME_DIR", m_runtime.path()};

    std::string configText() const { return m_home.read("data/Nimbora/Screensaver/config.ini"); }
};

TEST_F(SettingsStoreTest, FoldersAndFileFollowTheDataHome) {
    EXPECT_EQ(UserDataFolder(), m_home.path() + "data/Nimbora/Screensaver/");
    EXPECT_EQ(SettingsStore::settingsFilePath(),
              m_home.path() + "data/Nimbora/Screensaver/config.ini");
    EXPECT_EQ(LegacyAppsIniPath(), m_home.path() + "data/Nimbora/Desktop/apps.ini");
    {
        ScopedEnvironment install("NIMBORA_INSTALL_FOLDER", "/opt/nimbora/screensaver");
        EXPECT_EQ(InstallFolder(), "/opt/nimbora/screensaver/");
    }
    ScopedEnvironment noData("NIMBORA_DATA_HOME", std::nullopt);
    ScopedEnvironment noXdg("XDG_DATA_HOME", std::nullopt);
    ScopedEnvironment noHome("HOME", std::nullopt);
    EXPECT_EQ(UserDataFolder(), "");
    EXPECT_EQ(LegacyAppsIniPath(), "");
    EXPECT_EQ(SettingsStore::settingsFilePath(), "config.ini");
}

TEST_F(SettingsStoreTest, SectionNamesHangBelowTheMainSection) {
    EXPECT_EQ(SettingsStore::sectionName(""), "Software\\Nimbora\\Apps\\AppData");
    EXPECT_EQ(SettingsStore::sectionName("IP"), "Software\\Nimbora\\Apps\\AppData\\IP");
    EXPECT_EQ(SettingsStore::sectionName("IP\\pk1_7"),
              "Software\\Nimbora\\Apps\\AppData\\IP\\pk1_7");
}

TEST_F(SettingsStoreTest, FirstWriteCreatesTheFolderAndTheFile) {
    EXPECT_FALSE(platform::folderExists(UserDataFolder()));
    EXPECT_TRUE(SettingsStore::SetString("", "locID", "USNY0996"));
    SettingsStore::SetInt("IP", "askmelatercountdown", -1);
    SettingsStore::SetString("promo", "toinstall", "/tmp/pack-setup");
    EXPECT_FALSE(SettingsStore::SetString("", "", "x")) << "an empty key names no setting";
    EXPECT_EQ(configText(), "[Software\\Nimbora\\Apps\\AppData]\nlocID=USNY0996\n\n\n"
                            "[Software\\Nimbora\\Apps\\AppData\\IP]\naskmelatercountdown=-1\n\n\n"
                            "[Software\\Nimbora\\Apps\\AppData\\promo]\n"
                            "toinstall=/tmp/pack-setup\n");
}

TEST_F(SettingsStoreTest, ValuesWrittenAreSeenAtOnce) {
    EXPECT_EQ(SettingsStore::GetString("", "displayName", "none"), "none");
    SettingsStore::SetString("", "displayName", "New York, NY");
    EXPECT_EQ(SettingsStore::GetString("", "displayName", "none"), "New York, NY");
    EXPECT_EQ(SettingsStore::GetString("IP", "displayName", "none"), "none")
        << "subsections are separate sections";
    SettingsStore::SetInt("", "trackT", 1796643607);
    EXPECT_EQ(SettingsStore::GetInt("", "trackT", 0), 1796643607);
    EXPECT_EQ(SettingsStore::GetString("", "trackT", ""), "1796643607") << "decimal text";
}

TEST_F(SettingsStoreTest, BoolIsTrueOnlyForOne) {
    EXPECT_TRUE(SettingsStore::GetBool("blendImages", 1)) << "absent gives the default";
    SettingsStore::SetString("", "blendImages", "");
    EXPECT_TRUE(SettingsStore::GetBool("blendImages", 1)) << "empty gives the default";
    SettingsStore::SetString("", "blendImages", "2");
    EXPECT_FALSE(SettingsStore::GetBool("blendImages", 1));
    SettingsStore::SetString("", "blendImages", "yes");
    EXPECT_FALSE(SettingsStore::GetBool("blendImages", 1));
    SettingsStore::SetInt("", "blendImages", 1);
    EXPECT_TRUE(SettingsStore::GetBool("blendImages", 0));
    SettingsStore::SetInt("", "clearScreen", 0);
    EXPECT_FALSE(SettingsStore::GetBool("clearScreen", 1));
}

TEST_F(SettingsStoreTest, TextWithoutDigitsReadsAsZero) {
    SettingsStore::SetString("", "Speed", "abc");
    EXPECT_EQ(SettingsStore::GetInt("", "Speed", 1), 0);
}

TEST_F(SettingsStoreTest, LongFavouritesListReadsBackWhole) {
    std::string favourites;
    for (int n = 0; favourites.size() < 3000; ++n) {
        if (n > 0) {
            favourites += ';';
        }
        favourites += std::to_string(10 + n % 80) + ",0" + std::to_string(n % 10);
    }
    SettingsStore::SetString("", "Seasons.wxs", favourites);
    EXPECT_EQ(SettingsStore::GetString("", "Seasons.wxs", ""), favourites);
}

TEST_F(SettingsStoreTest, FileWrittenByHandIsReadLikeAProfileFile) {
    m_home.write("data/Nimbora/Screensaver/config.ini",
                 "[software\\nimbora\\apps\\appdata]\nUT=C\nspeed = 4\n"
                 "[Software\\Nimbora\\Apps\\AppData\\ip]\nAskMeLaterActivePackID=pk9\n");
    EXPECT_EQ(SettingsStore::GetString("", "ut", "F"), "C");
    EXPECT_EQ(SettingsStore::GetInt("", "Speed", 1), 4);
    EXPECT_EQ(SettingsStore::GetString("IP", "askmelateractivepackid", ""), "pk9");
}

TEST_F(SettingsStoreTest, ConcurrentWritersFromTwoProcessesKeepEachOthersKeys) {
    constexpr int kCount = 40;
    platform::Process first =
        platform::Process::start({SETTINGS_WRITER_PATH, "first", std::to_string(kCount)});
    platform::Process second =
        platform::Process::start({SETTINGS_WRITER_PATH, "second", std::to_string(kCount)});
    ASSERT_TRUE(first.isRunning());
    ASSERT_TRUE(second.isRunning());
    EXPECT_EQ(first.wait(60000), 0);
    EXPECT_EQ(second.wait(60000), 0);
    for (int n = 0; n < kCount; ++n) {
        EXPECT_EQ(SettingsStore::GetInt("race", "first" + std::to_string(n), -5), n);
        EXPECT_EQ(SettingsStore::GetInt("race", "second" + std::to_string(n), -5), n);
    }
    EXPECT_EQ(platform::findFiles(UserDataFolder(), "*").size(), 1u) << "only config.ini";
}

} // namespace
