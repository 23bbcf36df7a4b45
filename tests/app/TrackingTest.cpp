#include "AppTestEnvironment.h"
#include "app/DirectPing.h"
#include "app/SettingsStore.h"
#include "app/TrackingUrls.h"
#include "app/UsageTracker.h"

#include <gtest/gtest.h>

namespace {

class FakeHourlyTimer : public HourlyTimer {
public:
    bool isRunning() const override { return m_nStarts > 0; }
    bool start(int periodMs) override {
        ++m_nStarts;
        m_nPeriodMs = periodMs;
        return true;
    }
    int m_nStarts = 0;
    int m_nPeriodMs = 0;
};

TEST(TrackingUrls, KeepTheirExactForms) {
    const TrackingIdentity identity{"ID-7", "Coast.wxs", "Skies.wxs"};
    EXPECT_EQ(trackingPingUrl("http://t", "160", "a=b", identity, 99),
              "http://t/27/160?id=ID-7&cobrand=Coast.wxs&skin=Skies.wxs&rnd=99&a=b");
    EXPECT_EQ(directTrackingPingUrl("http://t", "159", "", "ID-7", 12),
              "http://t/27/159?id=ID-7&rnd=12&");
    EXPECT_EQ(usagePingUrl("http://c", 5), "http://c/services/ssaver/ss1xusagetrack.html?&rnd=5");
}

TEST(TrackingUrls, EmptyValuesStillCarryTheirKeys) {
    EXPECT_EQ(trackingPingUrl("http://t", "3", "", TrackingIdentity{}, 1),
              "http://t/27/3?id=&cobrand=&skin=&rnd=1&");
}

TEST(TrackingUrls, TickCountPastTwoToThe31ReadsNegative) {
    EXPECT_EQ(usagePingUrl("", 0xFFFFFFFFu), "/services/ssaver/ss1xusagetrack.html?&rnd=-1");
}

TEST(TrackingUrls, ValuesThatWouldBreakTheQueryAreEscaped) {
    const TrackingIdentity identity{"a&b", "My Pack.wxs", "x#y"};
    EXPECT_EQ(trackingPingUrl("http://t", "3", "", identity, 1),
              "http://t/27/3?id=a%26b&cobrand=My%20Pack.wxs&skin=x%23y&rnd=1&");
}

TEST(DirectPing, SendsItsAgentRefererAndNoCacheHeaders) {
    RecordingServer server;
    EXPECT_TRUE(sendDirectPing(server.url("/27/159?id=&rnd=1&"), "http://config.example"));
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].csTarget, "/27/159?id=&rnd=1&");
    EXPECT_EQ(requests[0].header("User-Agent"),
              "Mozilla/4.0 (compatible; MSIE 5.0; Windows NT; DigExt)");
    EXPECT_EQ(requests[0].header("Referer"), "http://config.example");
    EXPECT_EQ(requests[0].header("Cache-Control"), "no-cache");
    EXPECT_EQ(requests[0].header("Pragma"), "no-cache");
}

TEST(DirectPing, FailsQuietlyWhenNothingListens) {
    const std::string closed =
        "http://127.0.0.1:" + std::to_string(testing_support::closedLoopbackPort());
    EXPECT_FALSE(sendDirectPing(closed + "/27/159?", ""));
    EXPECT_FALSE(sendDirectPing("not a url", ""));
    EXPECT_FALSE(sendDirectPing("file:///etc/passwd", ""));
}

class TrackingTime : public ::testing::Test {
protected:
    void SetUp() override { m_env.loadFramework(); }

    std::string stored(const char* key) { return SettingsStore::GetString("", key, "<absent>"); }

    AppTestEnvironment m_env;
    FakeHourlyTimer m_timer;
    UsageTracker m_tracker{m_timer};
};

TEST_F(TrackingTime, FirstCheckAtStartUpOnlySchedulesADayAhead) {
    m_tracker.checkTrackingTime(true);
    EXPECT_EQ(m_timer.m_nStarts, 1);
    EXPECT_EQ(m_timer.m_nPeriodMs, 3600000);
    EXPECT_TRUE(m_env.pings().empty());
    EXPECT_EQ(stored("trackT"), std::to_string(m_env.m_clock.m_nNow + 86400));
    EXPECT_EQ(stored("trackT2"), platform::ctimeText(m_env.m_clock.m_nNow + 86400));
}

TEST_F(TrackingTime, TimeEqualToNowIsNotYetDue) {
    SettingsStore::SetString("", "trackT", std::to_string(m_env.m_clock.m_nNow));
    Timer24Hour(m_tracker);
    EXPECT_TRUE(m_env.pings().empty());
    EXPECT_EQ(stored("trackT"), std::to_string(m_env.m_clock.m_nNow));
    EXPECT_EQ(stored("trackT2"), "<absent>");
}

TEST_F(TrackingTime, DuePingsGoOutOnTheHourlyTickAndMoveTheSchedule) {
    SettingsStore::SetString("", "trackT", std::to_string(m_env.m_clock.m_nNow - 1));
    SettingsStore::SetString("", "installid", "inst-1");
    m_tracker.readIdentity();
    Timer24Hour(m_tracker);
    EXPECT_EQ(m_env.pings(), (std::vector<std::string>{"usage", "160", "29"}));
    EXPECT_EQ(stored("trackT"), std::to_string(m_env.m_clock.m_nNow + 86400));
    const auto codes = m_env.m_server.requestsUnder("/27/160");
    ASSERT_EQ(codes.size(), 1u);
    EXPECT_EQ(codes[0].csTarget, "/27/160?id=inst-1&cobrand=&skin=&rnd=4242&");

    // An hour later nothing is due, and the timer is not started twice.
    m_env.m_server.clearRequests();
    m_env.m_clock.m_nNow += 3600;
    Timer24Hour(m_tracker);
    EXPECT_TRUE(m_env.pings().empty());
    EXPECT_EQ(m_timer.m_nStarts, 1);
}

TEST_F(TrackingTime, ScheduleFarInTheFutureHoldsThePingBack) {
    const std::int64_t future = m_env.m_clock.m_nNow + 30 * 86400;
    SettingsStore::SetString("", "trackT", std::to_string(future));
    Timer24Hour(m_tracker);
    EXPECT_TRUE(m_env.pings().empty());
    m_env.m_clock.m_nNow = future + 1;
    Timer24Hour(m_tracker);
    EXPECT_EQ(m_env.pings(), (std::vector<std::string>{"usage", "160", "29"}));
}

TEST_F(TrackingTime, TimesPast2038StayExact) {
    m_env.m_clock.m_nNow = 4'000'000'000;
    m_tracker.checkTrackingTime(true);
    EXPECT_EQ(stored("trackT"), "4000086400");
    Timer24Hour(m_tracker);
    EXPECT_TRUE(m_env.pings().empty());
}

TEST(TrackingOffline, NoConnectionChangesNothingButStartsTheTimer) {
    AppTestEnvironment env;
    env.loadMissingFramework();
    FakeHourlyTimer timer;
    UsageTracker tracker(timer);
    SettingsStore::SetString("", "trackT", "5");
    tracker.checkTrackingTime(false);
    EXPECT_EQ(timer.m_nStarts, 1);
    EXPECT_EQ(SettingsStore::GetString("", "trackT", ""), "5");
    EXPECT_TRUE(env.pings().empty());
}

} // namespace
