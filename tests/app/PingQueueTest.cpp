#include "app/PingQueue.h"

#include "AppTestEnvironment.h"
#include "app/SettingsStore.h"
#include "app/UsageTracker.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;

// A loopback port that takes connections into its backlog and never answers.
class SilentListener {
public:
    SilentListener() : m_nFd(::socket(AF_INET, SOCK_STREAM, 0)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (m_nFd < 0 || ::bind(m_nFd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
            ::listen(m_nFd, 16) != 0 ||
            ::getsockname(m_nFd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            throw std::runtime_error("cannot listen on loopback");
        }
        m_nPort = ntohs(address.sin_port);
    }
    ~SilentListener() { ::close(m_nFd); }
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    std::string base() const { return "http://127.0.0.1:" + std::to_string(m_nPort); }

private:
    int m_nFd;
    int m_nPort = 0;
};

class NoTimer : public HourlyTimer {
public:
    bool isRunning() const override { return true; }
    bool start(int) override { return true; }
};

class Pings : public ::testing::Test {
protected:
    void SetUp() override {
        m_env.loadFramework();
        setPingQueue(&m_queue);
    }
    void TearDown() override { setPingQueue(nullptr); }

    AppTestEnvironment m_env;
    PingQueue m_queue;
    NoTimer m_timer;
    UsageTracker m_tracker{m_timer};
};

TEST_F(Pings, QueuedPingsGoOutInTheOrderPosted) {
    m_tracker.sendTrackingPing("3", "");
    m_tracker.sendTrackingPing("29", "");
    m_tracker.sendUsagePing();
    m_tracker.sendTrackingPing("27", "x=1");
    ASSERT_TRUE(m_queue.waitUntilSent(60s));
    EXPECT_EQ(m_env.pings(), (std::vector<std::string>{"3", "29", "usage", "27"}));
    EXPECT_EQ(m_env.m_server.requests().back().csTarget, "/27/27?id=&cobrand=&skin=&rnd=4242&x=1");
}

TEST_F(Pings, DeadServiceDoesNotHoldTheCaller) {
    SilentListener silent;
    SettingsStore::SetString("services", "tracking", silent.base());
    SettingsStore::SetInt("tovak", "queryTimeout", 1); // the library's own bound
    m_tracker.sendTrackingPing("3", "");
    m_tracker.sendUsagePing(); // still answered: it goes to the configuration service
    EXPECT_FALSE(m_queue.waitUntilSent(10ms));
    ASSERT_TRUE(m_queue.waitUntilSent(60s));
    EXPECT_EQ(m_env.pings(), (std::vector<std::string>{"usage"}));
}

TEST_F(Pings, DestroyingTheQueueDropsWhatWasNotSent) {
    SilentListener silent;
    SettingsStore::SetString("services", "tracking", silent.base());
    SettingsStore::SetInt("tovak", "queryTimeout", 1);
    {
        PingQueue queue;
        setPingQueue(&queue);
        m_tracker.sendTrackingPing("3", "");
        m_tracker.sendUsagePing();
        m_tracker.sendUsagePing();
        setPingQueue(&m_queue);
    }
    EXPECT_LE(m_env.pings().size(), 2u);
}

} // namespace
