#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "net/HttpLimits.h"
#include "packs/ImgPackManager.h"
#include "packs/PromoDialogLogic.h"
#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "support/LocalHttpServer.h"
#include "weather/ServiceFixture.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <vector>

using weather_testing::ServiceFixture;

namespace {

struct PackSpec {
    PackSpec(std::string csId, std::string csShow = "t", std::string csRanking = "1",
             std::string csUniqueValue = "u1", std::string csImgurl = "",
             std::string csImglfn = "promo.bmp")
        : id(std::move(csId)), show(std::move(csShow)), ranking(std::move(csRanking)),
          uniqueValue(std::move(csUniqueValue)), imgurl(std::move(csImgurl)),
          imglfn(std::move(csImglfn)) {}

    std::string id;
    std::string show;
    std::string ranking;
    std::string uniqueValue;
    std::string imgurl;
    std::string imglfn;
};

std::string packXml(const PackSpec& pack) {
    const std::string csCodes = pack.id.substr(0, 1);
    std::string xml = "<pack id=\"" + pack.id + "\"><dlurl lfn=\"" + pack.id +
                      "\"></dlurl><promo show=\"" + pack.show + "\"><ranking>" + pack.ranking +
                      "</ranking><unique_val>" + pack.uniqueValue + "</unique_val>";
    if (!pack.imgurl.empty()) {
        xml += "<imgurl lfn=\"" + pack.imglfn + "\">" + pack.imgurl + "</imgurl>";
    }
    // Each pack's codes start with its id's first letter, so a test can tell
    // whose ping went out.
    xml += "<tracking><promo_disp>" + csCodes + "disp</promo_disp><sel_yes>" + csCodes +
           "yes</sel_yes><sel_no>" + csCodes + "no</sel_no><sel_later>" + csCodes +
           "later</sel_later><dwnld_init>" + csCodes + "init</dwnld_init><dwnld_succ>" + csCodes +
           "succ</dwnld_succ><dwnld_fail>" + csCodes +
           "fail</dwnld_fail></tracking></promo></pack>";
    return xml;
}

std::string catalogueOf(const std::vector<PackSpec>& packs) {
    std::string xml = "<?xml version=\"1.0\"?><ss><app><cycle>c1</cycle></app><packs>";
    for (const PackSpec& pack : packs) {
        xml += packXml(pack);
    }
    return xml + "</packs></ss>";
}

class ManualClock : public platform::Clock {
public:
    std::int64_t now() const override { return 1'780'000'000; }
};

// The dialog window, as far as the promotion sees it: it records what it is
// asked to do, and the test fires the time-out's timer itself.
class FakeView : public PromoDialogView {
public:
    void hideAskMeLater() override { m_bAskMeLaterHidden = true; }
    void hideDialog() override { m_events.push_back("hide"); }
    void startTimer(unsigned nId, unsigned nMs) override {
        m_events.push_back("start " + std::to_string(nId) + " " + std::to_string(nMs));
    }
    void killTimer(unsigned nId) override { m_events.push_back("kill " + std::to_string(nId)); }
    void endDialog(int nResult) override { m_nResult = nResult; }

    bool m_bAskMeLaterHidden = false;
    std::vector<std::string> m_events;
    int m_nResult = 0;
};

// One full-screen run's promotion: the catalogue read afresh with the state
// earlier runs left, then the decision.
class SaverRun {
public:
    explicit SaverRun(const std::string& csDocument) {
        m_config.setText(csDocument);
        m_manager.load();
        m_bOffered = m_manager.shouldShowPromo();
    }
    // The dialog of this run, initialised.
    PromoDialogLogic& showDialog() {
        m_pLogic = std::make_unique<PromoDialogLogic>(
            m_manager, [this](const std::string& code) { m_pings.push_back(code); });
        m_pLogic->setPack(m_manager.promoIndex());
        m_pLogic->onInitDialog(m_view);
        return *m_pLogic;
    }
    std::string offeredId() const {
        return m_bOffered ? m_manager.catalogue().packs.at(m_manager.promoIndex()).id : "";
    }

    SsConfig m_config;
    ImgPackManager m_manager{m_config};
    bool m_bOffered = false;
    std::unique_ptr<PromoDialogLogic> m_pLogic;
    FakeView m_view;
    std::vector<std::string> m_pings;
};

class Promotion : public ::testing::Test {
protected:
    Promotion() {
        platform::setClock(&m_clock);
        platform::setDebugSink([](std::string_view) {});
    }
    ~Promotion() override {
        platform::setDebugSink({});
        platform::setClock(nullptr);
    }

    std::string offered(const std::vector<PackSpec>& packs) {
        return SaverRun(catalogueOf(packs)).offeredId();
    }
    std::string storedAskMeLater() const {
        return settings::get(settings::kAskMeLaterActivePackId) + "/" +
               std::to_string(settings::get(settings::kAskMeLaterCountDown));
    }

    ServiceFixture m_services;
    ManualClock m_clock;
};

TEST_F(Promotion, RanksPickThePackToOffer) {
    // Rank before document order; of two of the same rank, the earlier.
    EXPECT_EQ(offered({{"Two.wxs", "t", "2"}, {"OneA.wxs", "t", "1"}, {"OneB.wxs", "t", "1"}}),
              "OneA.wxs");
    // Rank 2 when no pack of rank 1 qualifies: hidden, or ranked "01".
    EXPECT_EQ(offered({{"One.wxs", "f", "1"}, {"Zero.wxs", "t", "01"}, {"Two.wxs", "T", "2"}}),
              "Two.wxs");
    // Ranks go only as far as the number of packs.
    EXPECT_EQ(offered({{"A.wxs", "t", "5"}, {"B.wxs", "f", "1"}, {"C.wxs"}, {"D.wxs", "x", "1"}}),
              "C.wxs");
    EXPECT_EQ(
        offered(
            {{"A.wxs", "t", "5"}, {"B.wxs", "f", "1"}, {"C.wxs", "t", "6"}, {"D.wxs", "t", ""}}),
        "");
    EXPECT_EQ(offered({}), "");
}

TEST_F(Promotion, ShowIsReadInAnyCaseAndLoweredInPlace) {
    SaverRun run(catalogueOf({{"Upper.wxs", "T", "1"}}));
    EXPECT_EQ(run.offeredId(), "Upper.wxs");
    EXPECT_EQ(run.m_manager.catalogue().packs[0].promo_show, "t");
}

TEST_F(Promotion, InstalledAndDeclinedPacksAreNotOfferedByRank) {
    m_services.m_installFolder.write("Have.wxs", "a pack");
    std::filesystem::create_directories(m_services.m_dataHome.file("Nimbora/Screensaver/packs"));
    m_services.m_dataHome.write("Nimbora/Screensaver/packs/Mine.wxs", "a pack of my own");
    SettingsStore::SetString("IP\\Nope.wxs_u1", "declined", "Mon Dec  7 11:40:07 2026");
    const std::vector<PackSpec> packs = {
        {"Have.wxs"}, {"Mine.wxs"}, {"Nope.wxs"}, {"Next.wxs", "t", "2"}};
    EXPECT_EQ(offered(packs), "Next.wxs");
    // A new promotion of the declined pack revives it.
    EXPECT_EQ(offered({{"Have.wxs"}, {"Nope.wxs", "t", "1", "u2"}}), "Nope.wxs");
}

TEST_F(Promotion, AskMeLaterPackComesFirstWhileRemindersAreLeft) {
    SettingsStore::SetString("IP", "askmelateractivepackid", "Later.wxs");
    SettingsStore::SetString("IP", "askmelatercountdown", "0");
    // Offered even though it would not qualify by rank any more.
    EXPECT_EQ(offered({{"First.wxs"}, {"Later.wxs", "f", "9"}}), "Later.wxs");
    // A pack the catalogue no longer lists falls back to the ranks.
    EXPECT_EQ(offered({{"First.wxs"}}), "First.wxs");
    SettingsStore::SetString("IP", "askmelatercountdown", "-1");
    EXPECT_EQ(offered({{"First.wxs"}, {"Later.wxs", "f", "9"}}), "First.wxs");
}

TEST_F(Promotion, AskMeLaterCountsDownOverFiveRunsAndHidesItselfOnTheLast) {
    const std::string csDocument = catalogueOf({{"Alpine.wxs"}, {"Coast.wxs", "t", "2"}});
    // Run 1: offered by rank; the user asks to be reminded.
    {
        SaverRun run(csDocument);
        ASSERT_EQ(run.offeredId(), "Alpine.wxs");
        PromoDialogLogic& dialog = run.showDialog();
        EXPECT_FALSE(run.m_view.m_bAskMeLaterHidden);
        dialog.onAskMeLater(run.m_view);
        EXPECT_EQ(run.m_pings, (std::vector<std::string>{"Adisp", "Alater"}));
        EXPECT_EQ(run.m_view.m_nResult, PromoDialogLogic::kYes);
        EXPECT_EQ(storedAskMeLater(), "Alpine.wxs/3");
    }
    // Runs 2 to 4: the reminder, counted down at each showing.
    for (const char* szLeft : {"Alpine.wxs/2", "Alpine.wxs/1", "Alpine.wxs/0"}) {
        SaverRun run(csDocument);
        ASSERT_EQ(run.offeredId(), "Alpine.wxs");
        PromoDialogLogic& dialog = run.showDialog();
        EXPECT_FALSE(run.m_view.m_bAskMeLaterHidden) << szLeft;
        dialog.onAskMeLater(run.m_view);
        EXPECT_EQ(storedAskMeLater(), szLeft);
    }
    // Run 5: the last reminder cannot ask for another; it times out.
    {
        SaverRun run(csDocument);
        ASSERT_EQ(run.offeredId(), "Alpine.wxs");
        PromoDialogLogic& dialog = run.showDialog();
        EXPECT_TRUE(run.m_view.m_bAskMeLaterHidden);
        EXPECT_EQ(storedAskMeLater(), "/-1");
        EXPECT_TRUE(dialog.onTimer(run.m_view, PromoDialogLogic::kTimeOutTimer));
    }
    // Afterwards the pack is offered by its rank again: it was never declined.
    SaverRun after(csDocument);
    EXPECT_EQ(after.offeredId(), "Alpine.wxs");
    after.showDialog();
    EXPECT_FALSE(after.m_view.m_bAskMeLaterHidden);
}

TEST_F(Promotion, EscapeDeclinesTheTimeOutDoesNot) {
    const std::string csDocument = catalogueOf({{"Alpine.wxs"}, {"Coast.wxs", "t", "2"}});
    {
        SaverRun run(csDocument);
        PromoDialogLogic& dialog = run.showDialog();
        EXPECT_EQ(run.m_view.m_events, (std::vector<std::string>{"start 1 50000"}));
        // Another timer is not the promotion's.
        EXPECT_FALSE(dialog.onTimer(run.m_view, 7));
        EXPECT_EQ(run.m_view.m_nResult, 0);
        EXPECT_TRUE(dialog.onTimer(run.m_view, PromoDialogLogic::kTimeOutTimer));
        EXPECT_EQ(run.m_pings, (std::vector<std::string>{"Adisp", "216"}));
        EXPECT_EQ(run.m_view.m_nResult, PromoDialogLogic::kNoThanks);
    }
    EXPECT_EQ(SettingsStore::GetString("IP\\Alpine.wxs_u1", "declined", ""), "");
    {
        SaverRun run(csDocument);
        ASSERT_EQ(run.offeredId(), "Alpine.wxs");
        // Escape reaches the dialog as No Thanks.
        run.showDialog().onNoThanks(run.m_view);
        EXPECT_EQ(run.m_pings, (std::vector<std::string>{"Adisp", "Ano"}));
        EXPECT_EQ(run.m_view.m_nResult, PromoDialogLogic::kNoThanks);
    }
    EXPECT_EQ(SettingsStore::GetString("IP\\Alpine.wxs_u1", "declined", ""),
              platform::ctimeText(m_clock.now()));
    EXPECT_EQ(offered({{"Alpine.wxs"}, {"Coast.wxs", "t", "2"}}), "Coast.wxs");
}

TEST_F(Promotion, NoThanksAndYesEndTheReminders) {
    const std::string csDocument = catalogueOf({{"Alpine.wxs"}});
    SaverRun first(csDocument);
    first.showDialog().onAskMeLater(first.m_view);
    SaverRun second(csDocument);
    second.showDialog().onNoThanks(second.m_view);
    EXPECT_EQ(storedAskMeLater(), "/-1");

    SettingsStore::SetString("IP", "askmelateractivepackid", "Alpine.wxs");
    SettingsStore::SetString("IP", "askmelatercountdown", "2");
    SaverRun third(csDocument);
    // A pack without a download: Yes pings, clears the reminder and ends.
    third.showDialog().onYes(third.m_view);
    EXPECT_EQ(third.m_pings, (std::vector<std::string>{"Adisp", "Ayes"}));
    EXPECT_EQ(third.m_view.m_events, (std::vector<std::string>{"start 1 50000", "kill 1", "hide"}));
    EXPECT_EQ(third.m_view.m_nResult, PromoDialogLogic::kYes);
    EXPECT_EQ(storedAskMeLater(), "/-1");
    EXPECT_EQ(settings::get(settings::kInstalledBy), "");
}

TEST_F(Promotion, PictureIsDownloadedUnderItsPlainNameIntoAPrivateFolder) {
    testing_support::LocalHttpServer pictures([](httplib::Server& server) {
        server.Get("/promo.bmp", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("BM picture bytes", "image/bmp");
        });
    });
    std::string csFolder;
    {
        SaverRun run(catalogueOf({{"Alpine.wxs", "t", "1", "u1", pictures.url("/promo.bmp")}}));
        PromoDialogLogic& dialog = run.showDialog();
        ASSERT_FALSE(dialog.imagePath().empty());
        EXPECT_EQ(std::filesystem::path(dialog.imagePath()).filename(), "promo.bmp");
        csFolder = std::filesystem::path(dialog.imagePath()).parent_path();
        struct stat info {};
        ASSERT_EQ(stat(csFolder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
    }
    // Gone with the dialog.
    EXPECT_FALSE(std::filesystem::exists(csFolder));

    // Names that could point elsewhere are not used, and nothing is fetched.
    pictures.clearRequests();
    for (const char* szName : {"../promo.bmp", "/tmp/promo.bmp", "a/b.bmp", "..", ""}) {
        SaverRun run(
            catalogueOf({{"Alpine.wxs", "t", "1", "u1", pictures.url("/promo.bmp"), szName}}));
        EXPECT_EQ(run.showDialog().imagePath(), "") << szName;
    }
    EXPECT_EQ(pictures.requestCount(), 0u);
    // A picture that cannot be had leaves the dialog without one.
    SaverRun missing(catalogueOf({{"Alpine.wxs", "t", "1", "u1", pictures.url("/gone.bmp")}}));
    EXPECT_EQ(missing.showDialog().imagePath(), "");
}

TEST_F(Promotion, ASlowPictureDoesNotHoldTheShowBack) {
    // The picture trickles in fast enough never to count as stalled, and
    // would be whole after a minute; the show's start may not wait for that.
    testing_support::LocalHttpServer slow(
        [](httplib::Server& server, const testing_support::LocalHttpServer& owner) {
            server.Get("/slow.bmp", [&owner](const httplib::Request&, httplib::Response& response) {
                response.set_chunked_content_provider(
                    "image/bmp", [&owner](size_t nOffset, httplib::DataSink& sink) {
                        if (nOffset >= 600 * 32) {
                            sink.done();
                            return true;
                        }
                        return owner.sleepUnlessStopping(std::chrono::milliseconds(100)) &&
                               sink.write(nOffset == 0 ? "BM" : "xx", 2) &&
                               sink.write(std::string(30, 'x').data(), 30);
                    });
            });
        });
    const HttpLimits saved = httpLimits();
    HttpLimits limits = saved;
    limits.nDocumentTimeoutMs = 1000;
    setHttpLimits(limits);
    SaverRun run(catalogueOf({{"Alpine.wxs", "t", "1", "u1", slow.url("/slow.bmp")}}));
    EXPECT_EQ(run.showDialog().imagePath(), "");
    setHttpLimits(saved);
}

} // namespace
