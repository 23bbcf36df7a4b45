#include "app/SettingsKeys.h"

#include "app/ServiceAddresses.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using testing_support::ScopedEnvironment;
using testing_support::TempFolder;

namespace {

class SettingsKeysTest : public ::testing::Test {
protected:
    TempFolder m_home;
    TempFolder m_runtime;
    ScopedEnvironment m_dataHome{"NIMBORA_DATA_HOME", m_home.path()};
    ScopedEnvironment m_runtimeFolder{"XDG_RUNTIME_DIR", m_runtime.path()};

    void writeConfig(const std::string& text) const {
        m_home.write("Nimbora/Screensaver/config.ini", text);
    }
};

TEST_F(SettingsKeysTest, EmptyStoreReadsEveryDefault) {
    using namespace settings;
    EXPECT_EQ(get(kLocID), "");
    EXPECT_EQ(get(kDisplayName), "");
    EXPECT_EQ(get(kDisplayImageMethod), 1);
    EXPECT_EQ(get(kDisplayShowAllMethod), 1);
    EXPECT_FALSE(get(kClearScreen));
    EXPECT_TRUE(get(kBlendImages));
    EXPECT_EQ(get(kSpeed), 1);
    EXPECT_EQ(get(kTemperatureUnit), "F");
    EXPECT_EQ(get(kCurrentImagePackFileName), "");
    EXPECT_EQ(get(kInstallId), "");
    EXPECT_EQ(get(kLastInstalledImagePackFileName), "");
    EXPECT_EQ(get(kFirstLaunch), "");
    EXPECT_EQ(get(kTrackTime), 0);
    EXPECT_EQ(get(kTrackTimeText), "");
    EXPECT_EQ(get(kInstalledBy), "");
    EXPECT_EQ(get(kAskMeLaterActivePackId), "");
    EXPECT_EQ(get(kAskMeLaterCountDown), -1);
    EXPECT_EQ(get(kToInstall), "");
    EXPECT_EQ(get(kObservationService), "http://127.0.0.1:8790");
}

TEST_F(SettingsKeysTest, KeysLiveUnderTheirNamesAndSections) {
    writeConfig("[Software\\Nimbora\\Apps\\AppData]\n"
                "locID=USNY0996\ndisplayName=New York\ndisplayImageMethod=3\n"
                "displayShowAllMethod=2\nclearScreen=1\nblendImages=0\nSpeed=5\nut=C\n"
                "CurrentImagePackFileName=Skies.wxs\ninstallid=abc-1\n"
                "LastInstalledImagePackFileName=Coast.wxs\nftl=false\ntrackT=1796643607\n"
                "trackT2=Mon Dec  7 11:40:07 2026\ninsby_ext=promo\n"
                "[Software\\Nimbora\\Apps\\AppData\\IP]\n"
                "askmelateractivepackid=pk2\naskmelatercountdown=3\n"
                "[Software\\Nimbora\\Apps\\AppData\\IP\\pk2_spring]\ndeclined=Tue Dec  8\n"
                "[Software\\Nimbora\\Apps\\AppData\\promo]\ntoinstall=/tmp/setup\n");
    using namespace settings;
    EXPECT_EQ(get(kLocID), "USNY0996");
    EXPECT_EQ(get(kDisplayName), "New York");
    EXPECT_EQ(get(kDisplayImageMethod), 3);
    EXPECT_EQ(get(kDisplayShowAllMethod), 2);
    EXPECT_TRUE(get(kClearScreen));
    EXPECT_FALSE(get(kBlendImages));
    EXPECT_EQ(get(kSpeed), 5);
    EXPECT_EQ(get(kTemperatureUnit), "C");
    EXPECT_EQ(get(kCurrentImagePackFileName), "Skies.wxs");
    EXPECT_EQ(get(kInstallId), "abc-1");
    EXPECT_EQ(get(kLastInstalledImagePackFileName), "Coast.wxs");
    EXPECT_EQ(get(kFirstLaunch), "false");
    EXPECT_EQ(get(kTrackTime), 1796643607);
    EXPECT_EQ(get(kTrackTimeText), "Mon Dec  7 11:40:07 2026");
    EXPECT_EQ(get(kInstalledBy), "promo");
    EXPECT_EQ(get(kAskMeLaterActivePackId), "pk2");
    EXPECT_EQ(get(kAskMeLaterCountDown), 3);
    EXPECT_EQ(packPromotionSubsection("pk2", "spring"), "IP\\pk2_spring");
    EXPECT_EQ(SettingsStore::GetString(packPromotionSubsection("pk2", "spring"), kDeclinedKey,
                                       kDeclinedDefault),
              "Tue Dec  8");
    EXPECT_EQ(get(kToInstall), "/tmp/setup");
}

TEST_F(SettingsKeysTest, BoolsAreWrittenAsOneAndZero) {
    settings::set(settings::kClearScreen, true);
    settings::set(settings::kBlendImages, false);
    EXPECT_EQ(m_home.read("Nimbora/Screensaver/config.ini"),
              "[Software\\Nimbora\\Apps\\AppData]\nclearScreen=1\nblendImages=0\n");
}

TEST_F(SettingsKeysTest, TemperatureUnitIsCOnlyWhenExactlyC) {
    for (const char* stored : {"c", "K", "", " C x"}) {
        settings::set(settings::kTemperatureUnit, stored);
        EXPECT_EQ(settings::temperatureUnit(), "F") << stored;
    }
    settings::set(settings::kTemperatureUnit, "C");
    EXPECT_EQ(settings::temperatureUnit(), "C");
}

TEST_F(SettingsKeysTest, ServiceAddressesDefaultToTheLocalServer) {
    ServiceAddresses addresses = serviceAddresses();
    EXPECT_EQ(addresses.observation, "http://127.0.0.1:8790");
    EXPECT_EQ(addresses.search, "http://127.0.0.1:8790");
    EXPECT_EQ(addresses.configuration, "http://127.0.0.1:8790");
    EXPECT_EQ(addresses.tracking, "http://127.0.0.1:8790");
    EXPECT_EQ(addresses.web, "http://127.0.0.1:8790");
}

TEST_F(SettingsKeysTest, ServiceAddressesComeFromTheServicesSubsection) {
    writeConfig("[Software\\Nimbora\\Apps\\AppData\\services]\n"
                "observation=http://obs.local:81/\nsearch=http://search.local:82\n"
                "configuration=http://conf.local:83//\ntracking=http://track.local:84\n"
                "web=https://www.local/\n"
                "[Software\\Nimbora\\Apps\\AppData]\nweb=http://wrong.section\n");
    ServiceAddresses addresses = serviceAddresses();
    EXPECT_EQ(addresses.observation, "http://obs.local:81");
    EXPECT_EQ(addresses.search, "http://search.local:82");
    EXPECT_EQ(addresses.configuration, "http://conf.local:83");
    EXPECT_EQ(addresses.tracking, "http://track.local:84");
    EXPECT_EQ(addresses.web, "https://www.local");
}

TEST_F(SettingsKeysTest, BlankServiceAddressFallsBackToTheDefault) {
    writeConfig("[Software\\Nimbora\\Apps\\AppData\\services]\nobservation=\nsearch=/\n");
    ServiceAddresses addresses = serviceAddresses();
    EXPECT_EQ(addresses.observation, "http://127.0.0.1:8790");
    EXPECT_EQ(addresses.search, "http://127.0.0.1:8790");
}

} // namespace
