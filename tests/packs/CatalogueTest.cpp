#include "app/SettingsStore.h"
#include "net/InternetServices.h"
#include "packs/ImgPackManager.h"
#include "packs/PackFolders.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "weather/ServiceFixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using weather_testing::ServiceFixture;

namespace {

std::string packXml(const std::string& csId, const std::string& csUniqueValue = "u1") {
    return "<pack id=\"" + csId + "\"><dlurl lfn=\"" + csId + "-setup\">http://host/" + csId +
           "</dlurl><desc>About " + csId +
           "</desc><promo show=\"T\"><ranking>1</ranking>"
           "<unique_val>" +
           csUniqueValue +
           "</unique_val><imgurl lfn=\"p.bmp\">http://host/p.bmp"
           "</imgurl><tracking><promo_disp>201</promo_disp><sel_yes>202</sel_yes><sel_no>203"
           "</sel_no><sel_later>204</sel_later><dwnld_init>205</dwnld_init><dwnld_succ>206"
           "</dwnld_succ><dwnld_fail>207</dwnld_fail></tracking></promo></pack>";
}

std::string catalogue(const std::string& csPacks, const std::string& csCycle = "c1") {
    return "<?xml version=\"1.0\"?><ss><app><cycle>" + csCycle + "</cycle></app><packs>" + csPacks +
           "</packs></ss>";
}

class Catalogue : public ::testing::Test {
protected:
    Catalogue() {
        platform::setDebugSink([this](std::string_view text) { m_debug += text; });
    }
    ~Catalogue() override { platform::setDebugSink({}); }

    const ImgPacks& load(const std::string& csDocument) {
        m_config.setText(csDocument);
        m_manager.load();
        return m_manager.catalogue();
    }

    ServiceFixture m_services;
    SsConfig m_config;
    ImgPackManager m_manager{m_config};
    std::string m_debug;
};

TEST_F(Catalogue, EntriesAreReadFieldByField) {
    const ImgPacks& packs = load(catalogue(packXml("Alpine.wxs")));
    ASSERT_EQ(packs.packs.size(), 1u);
    const ImgPackInfo& pack = packs.packs[0];
    EXPECT_EQ(pack.id, "Alpine.wxs");
    EXPECT_EQ(pack.dlurl, "http://host/Alpine.wxs");
    EXPECT_EQ(pack.dlurl_lfn, "Alpine.wxs-setup");
    EXPECT_EQ(pack.desc, "About Alpine.wxs");
    EXPECT_EQ(pack.promo_show, "T");
    EXPECT_EQ(pack.promo_ranking, "1");
    EXPECT_EQ(pack.promo_unique_val, "u1");
    EXPECT_EQ(pack.promo_imgurl, "http://host/p.bmp");
    EXPECT_EQ(pack.promo_imglfn, "p.bmp");
    EXPECT_EQ(pack.tracking_promodisp, "201");
    EXPECT_EQ(pack.tracking_selyes, "202");
    EXPECT_EQ(pack.tracking_selno, "203");
    EXPECT_EQ(pack.tracking_sellater, "204");
    EXPECT_EQ(pack.tracking_dwnldinit, "205");
    EXPECT_EQ(pack.tracking_dwnldsucc, "206");
    EXPECT_EQ(pack.tracking_dwnldfail, "207");
    EXPECT_EQ(pack.ip_declined, "");
    EXPECT_FALSE(pack.installed);
}

TEST_F(Catalogue, MissingFieldsAreEmptyAndTheFirstPackWithoutIdEndsTheList) {
    const ImgPacks& packs = load(
        catalogue("<pack id=\"Bare.wxs\"/><pack><desc>no id</desc></pack>" + packXml("Late.wxs")));
    ASSERT_EQ(packs.packs.size(), 1u);
    ImgPackInfo bare;
    bare.id = "Bare.wxs";
    EXPECT_EQ(packs.packs[0], bare);
    EXPECT_EQ(load(catalogue("<pack id=\"\"/>" + packXml("Late.wxs"))).packs.size(), 0u);
}

TEST_F(Catalogue, CycleValueAndItsFallbacks) {
    EXPECT_EQ(m_config.getCycle(), "{no config available}");
    ImgPackInfo info;
    EXPECT_FALSE(m_config.getPack(0, info));
    m_config.setText(catalogue("", ""));
    EXPECT_EQ(m_config.getCycle(), "{empty cycle value in config}");
    m_config.setText(catalogue("", "nimbora-cycle-7"));
    EXPECT_EQ(m_config.getCycle(), "nimbora-cycle-7");
}

TEST_F(Catalogue, BadDocumentsGiveAnEmptyCatalogue) {
    std::string csNested;
    while (csNested.size() + 4 <= 8 * 1024 * 1024) {
        csNested += "<ss>";
    }
    const std::string csGood = catalogue(packXml("Alpine.wxs"));
    const std::vector<std::string> documents = {
        "this is not XML",
        csGood.substr(0, csGood.size() / 2),
        csNested,
        "<config><app><cycle>c1</cycle></app><packs>" + packXml("Alpine.wxs") + "</packs></config>",
        std::string("<ss>\0<packs/></ss>", 18),
    };
    for (const std::string& csDocument : documents) {
        EXPECT_TRUE(load(csDocument).packs.empty()) << csDocument.substr(0, 40);
        EXPECT_EQ(m_config.getCycle(), "{empty cycle value in config}");
    }
}

TEST_F(Catalogue, DeclinedStateBelongsToOneUniqueValue) {
    SettingsStore::SetString("IP\\Alpine.wxs_u1", "declined", "Mon Dec  7 11:40:07 2026");
    EXPECT_EQ(load(catalogue(packXml("Alpine.wxs", "u1"))).packs[0].ip_declined,
              "Mon Dec  7 11:40:07 2026");
    EXPECT_EQ(load(catalogue(packXml("Alpine.wxs", "u2"))).packs[0].ip_declined, "");

    class FixedClock : public platform::Clock {
    public:
        std::int64_t now() const override { return 86400 * 365; }
    } clock;
    platform::setClock(&clock);
    m_manager.markDeclined(0);
    platform::setClock(nullptr);
    const std::string csWhen = platform::ctimeText(86400 * 365);
    EXPECT_EQ(m_manager.catalogue().packs[0].ip_declined, csWhen);
    EXPECT_EQ(SettingsStore::GetString("IP\\Alpine.wxs_u2", "declined", ""), csWhen);
    EXPECT_EQ(load(catalogue(packXml("Alpine.wxs", "u2"))).packs[0].ip_declined, csWhen);
    // Outside the catalogue nothing happens.
    m_manager.markDeclined(1);
    m_manager.markDeclined(-1);
}

TEST_F(Catalogue, AskMeLaterCountsDownToNone) {
    load(catalogue(packXml("Alpine.wxs") + packXml("Coast.wxs")));
    EXPECT_FALSE(m_manager.isAskMeLaterActive());
    EXPECT_EQ(m_manager.askMeLaterCountDown(), -1);
    m_manager.setAskMeLater(1);
    m_manager.setAskMeLater(2); // not a pack: ignored
    load(catalogue(packXml("Alpine.wxs") + packXml("Coast.wxs")));
    EXPECT_TRUE(m_manager.isAskMeLaterActive());
    EXPECT_EQ(m_manager.catalogue().askMeLaterActivePackID, "Coast.wxs");
    std::vector<int> counts;
    for (int n = 0; n < 5; ++n) {
        m_manager.countDownAskMeLater();
        counts.push_back(m_manager.askMeLaterCountDown());
    }
    EXPECT_EQ(counts, (std::vector<int>{2, 1, 0, -1, -1}));
    EXPECT_FALSE(m_manager.isAskMeLaterActive());
    EXPECT_EQ(SettingsStore::GetInt("IP", "askmelatercountdown", 99), -1);
    EXPECT_EQ(SettingsStore::GetString("IP", "askmelateractivepackid", "x"), "");

    m_manager.setAskMeLater(0);
    m_manager.clearAskMeLater();
    EXPECT_EQ(SettingsStore::GetInt("IP", "askmelatercountdown", 99), -1);
}

TEST_F(Catalogue, InstalledPacksAreFoundInEveryPackFolder) {
    m_services.m_installFolder.write("Alpine.wxs", "pack");
    std::filesystem::create_directories(m_services.m_dataHome.file("Nimbora/Screensaver/packs"));
    m_services.m_dataHome.write("Nimbora/Screensaver/packs/Coast.wxs", "pack");
    m_services.m_installFolder.write("secret", "not a pack");
    const ImgPacks& packs =
        load(catalogue(packXml("Alpine.wxs") + packXml("Coast.wxs") + packXml("Beach.wxs") +
                       packXml("../secret") + packXml("packs")));
    std::vector<bool> installed;
    for (const ImgPackInfo& pack : packs.packs) {
        installed.push_back(pack.installed);
    }
    EXPECT_EQ(installed, (std::vector<bool>{true, true, false, false, false}));
    EXPECT_FALSE(isPackInstalled("", packFolders()));
    EXPECT_FALSE(isPackInstalled(".", packFolders()));
}

TEST_F(Catalogue, LoadingWritesTheDump) {
    SettingsStore::SetString("IP", "askmelateractivepackid", "Alpine.wxs");
    SettingsStore::SetInt("IP", "askmelatercountdown", 2);
    m_services.m_installFolder.write("Alpine.wxs", "pack");
    load(catalogue(packXml("Alpine.wxs")));
    EXPECT_EQ(m_debug.substr(0, m_debug.find("      pack dlurl:")),
              "ImgPacks::dumpPackList(); askMeLaterActivePackID = 'Alpine.wxs'\n"
              "ImgPacks::dumpPackList(); askMeLaterCountDown = '2'\n"
              "ImgPacks::dumpPackList(); 1 elements:\n"
              "-> Element #0\n"
              "      pack id: 'Alpine.wxs'\n");
    EXPECT_NE(m_debug.find("      pack tracking_dwnldfail: '207'\n"
                           "      archive ip_declined: ''\n"
                           "      installed: 'TRUE'\n"),
              std::string::npos)
        << m_debug;
}

TEST_F(Catalogue, FetchedFromTheConfigurationService) {
    m_services.setConfiguration(catalogue(packXml("Alpine.wxs"), "served-cycle"));
    m_manager.load(); // not fetched yet: load fetches it
    EXPECT_TRUE(m_config.isLoaded());
    EXPECT_EQ(m_config.getCycle(), "served-cycle");
    EXPECT_EQ(m_manager.catalogue().packs.size(), 1u);
    EXPECT_FALSE(g_bUseDirectQuery);
}

TEST_F(Catalogue, UnreachableServiceLeavesItEmptyAndSwitchesToDirectRequests) {
    m_services.setConfiguration("");
    EXPECT_FALSE(m_config.fetch());
    EXPECT_TRUE(g_bUseDirectQuery);
    m_manager.load();
    EXPECT_TRUE(m_manager.catalogue().packs.empty());
    EXPECT_EQ(m_config.getCycle(), "{no config available}");
    // Later fetches go straight to the direct request, and work.
    m_services.setConfiguration(catalogue(""));
    const std::size_t nBefore = m_services.requestsUnder("/services/plexa/");
    EXPECT_TRUE(m_config.fetch());
    EXPECT_EQ(m_services.requestsUnder("/services/plexa/"), nBefore + 1);
}

} // namespace
