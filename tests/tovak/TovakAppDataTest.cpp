#include "TovakTestEnvironment.h"
#include "app/SettingsStore.h"

#include <cstring>

namespace {

using AppDataTest = testing_support::TovakLibraryTest;

TEST_F(AppDataTest, StringsReadBackAndShortBuffersAreTruncatedSafely) {
    auto set = exported<PFN_SetAppDataString>("SetAppDataString");
    auto get = exported<PFN_GetAppDataString>("GetAppDataString");
    ASSERT_TRUE(set("shared", "greeting", "good morning"));
    EXPECT_EQ(SettingsStore::GetString("shared", "greeting", ""), "good morning");

    char buffer[64];
    EXPECT_EQ(get("shared", "greeting", "none", buffer, sizeof(buffer)), 12u);
    EXPECT_STREQ(buffer, "good morning");
    char small[5];
    EXPECT_EQ(get("shared", "greeting", "none", small, sizeof(small)), 12u);
    EXPECT_STREQ(small, "good");
    EXPECT_EQ(get("shared", "absent", "none", buffer, sizeof(buffer)), 4u);
    EXPECT_STREQ(buffer, "none");
    EXPECT_EQ(get("shared", nullptr, nullptr, buffer, sizeof(buffer)), 0u);
    EXPECT_STREQ(buffer, "");
    EXPECT_FALSE(set("shared", nullptr, "x"));
}

TEST_F(AppDataTest, IntegersAndFlagsShareTheSettingsStore) {
    auto setInt = exported<PFN_SetAppDataInt>("SetAppDataInt");
    auto getInt = exported<PFN_GetAppDataInt>("GetAppDataInt");
    ASSERT_TRUE(setInt(nullptr, "Speed", 4));
    EXPECT_EQ(SettingsStore::GetInt("", "Speed", 1), 4);
    EXPECT_EQ(getInt("", "Speed", 1), 4);
    EXPECT_EQ(getInt("", "absent", -7), -7);

    auto setFlag = exported<PFN_SetAppSetupFlag>("SetAppSetupFlag");
    auto getFlag = exported<PFN_GetAppSetupFlag>("GetAppSetupFlag");
    EXPECT_EQ(getFlag("firstRun"), 0u);
    ASSERT_TRUE(setFlag("firstRun", 4000000000u));
    EXPECT_EQ(getFlag("firstRun"), 4000000000u);
    EXPECT_FALSE(setFlag("", 1));

    auto setStartup = exported<PFN_SetAppStartupSetting>("SetAppStartupSetting");
    auto getStartup = exported<PFN_GetAppStartupSetting>("GetAppStartupSetting");
    EXPECT_FALSE(getStartup());
    ASSERT_TRUE(setStartup(true));
    EXPECT_TRUE(getStartup());
    EXPECT_EQ(SettingsStore::GetString("tovak", "startup", ""), "1");
}

TEST_F(AppDataTest, PreferencesUserInfoAndLocationCount) {
    auto setToast = exported<PFN_SetToastSettings>("SetToastSettings");
    auto getToast = exported<PFN_GetToastSettings>("GetToastSettings");
    auto setUser = exported<PFN_SetUserInfo>("SetUserInfo");
    auto getUser = exported<PFN_GetUserInfo>("GetUserInfo");
    auto count = exported<PFN_GetUserLocationCount>("GetUserLocationCount");
    char buffer[32];
    EXPECT_EQ(getToast(buffer, sizeof(buffer)), 0u);
    ASSERT_TRUE(setToast("quiet"));
    EXPECT_EQ(getToast(buffer, sizeof(buffer)), 5u);
    EXPECT_STREQ(buffer, "quiet");
    EXPECT_EQ(SettingsStore::GetString("tovak", "toastSettings", ""), "quiet");

    ASSERT_TRUE(setUser("name", "Ada"));
    EXPECT_EQ(getUser("name", buffer, sizeof(buffer)), 3u);
    EXPECT_STREQ(buffer, "Ada");
    EXPECT_EQ(getUser(nullptr, buffer, sizeof(buffer)), 0u);

    EXPECT_EQ(count(), 0);
    SettingsStore::SetString("", "locID", "USNY0996");
    EXPECT_EQ(count(), 1);
}

TEST_F(AppDataTest, KeyNamesComeAsADoublyTerminatedList) {
    SettingsStore::SetString("IP", "alpha", "1");
    SettingsStore::SetString("IP", "beta", "2");
    auto names = exported<PFN_GetAppDataKeyNames>("GetAppDataKeyNames");
    char buffer[32];
    std::memset(buffer, '#', sizeof(buffer));
    ASSERT_EQ(names("IP", buffer, sizeof(buffer)), 12u);
    EXPECT_EQ(std::string(buffer, 12), std::string("alpha\0beta\0\0", 12));
    char small[9];
    EXPECT_EQ(names("IP", small, sizeof(small)), 12u);
    EXPECT_EQ(std::string(small, 7), std::string("alpha\0\0", 7)) << "only whole names";
    EXPECT_EQ(names("nothing", buffer, sizeof(buffer)), 1u);
    EXPECT_EQ(buffer[0], '\0');
}

TEST_F(AppDataTest, DeletingASubsectionKeepsEverythingElse) {
    SettingsStore::SetString("", "locID", "USNY0996");
    SettingsStore::SetString("IP", "askmelatercountdown", "3");
    SettingsStore::SetString("IP\\pack", "declined", "1");
    auto remove = exported<PFN_DeleteIniAppDataSection>("DeleteIniAppDataSection");
    EXPECT_FALSE(remove("")) << "the main section is never deleted";
    EXPECT_FALSE(remove(nullptr));
    ASSERT_TRUE(remove("IP"));
    EXPECT_TRUE(remove("IP")) << "deleting an absent section succeeds";
    EXPECT_EQ(SettingsStore::GetString("IP", "askmelatercountdown", "gone"), "gone");
    EXPECT_EQ(SettingsStore::GetString("IP\\pack", "declined", ""), "1");
    EXPECT_EQ(SettingsStore::GetString("", "locID", ""), "USNY0996");

    // Names the store maps before writing are found under the same mapping.
    SettingsStore::SetString(" IP]pack ", "declined", "1");
    auto names = exported<PFN_GetAppDataKeyNames>("GetAppDataKeyNames");
    char buffer[16];
    EXPECT_EQ(names(" IP]pack ", buffer, sizeof(buffer)), 10u);
    ASSERT_TRUE(remove(" IP]pack "));
    EXPECT_EQ(SettingsStore::GetString(" IP]pack ", "declined", "gone"), "gone");
}

} // namespace
