#include "TovakTestEnvironment.h"
#include "app/SettingsStore.h"
#include "support/LocalHttpServer.h"
#include "tovak/Connectivity.h"

#include <chrono>

using testing_support::LocalHttpServer;

namespace {

class ConnectedTest : public testing_support::TovakLibraryTest {
protected:
    ConnectedTest() { m_connected = exported<PFN_ConnectedToInternet>("ConnectedToInternet"); }

    void pointConfigurationAt(const std::string& address) {
        SettingsStore::SetString("services", "configuration", address);
    }

    // The answer, and that it came without waiting for the system's own
    // connection time-out (minutes): the library's bound is under a second,
    // and this one leaves room for a busy machine.
    bool askQuickly() {
        auto started = std::chrono::steady_clock::now();
        bool answer = m_connected();
        EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
        return answer;
    }

    PFN_ConnectedToInternet m_connected = nullptr;
};

TEST_F(ConnectedTest, TrueWhileTheServiceListensAndTheAnswerIsKeptAWhile) {
    auto server = std::make_unique<LocalHttpServer>([](httplib::Server&) {});
    pointConfigurationAt(server->url());
    EXPECT_TRUE(askQuickly());
    server.reset();
    EXPECT_TRUE(askQuickly()) << "a fresh answer is reused, not probed again";
}

TEST_F(ConnectedTest, FalseForAClosedPortOrAnUnusableAddress) {
    pointConfigurationAt(
        "http://127.0.0.1:" + std::to_string(testing_support::closedLoopbackPort()) + "/closed");
    EXPECT_FALSE(askQuickly());
    pointConfigurationAt("ftp://127.0.0.1:21");
    EXPECT_FALSE(askQuickly());
    pointConfigurationAt("not an address");
    EXPECT_FALSE(askQuickly());
}

TEST_F(ConnectedTest, ManyCallersAtOnceAreAllAnsweredQuickly) {
    LocalHttpServer server([](httplib::Server&) {});
    pointConfigurationAt(server.url("/services"));
    std::vector<std::thread> threads;
    std::atomic<int> yes{0};
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([&] { yes += askQuickly() ? 1 : 0; });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(yes.load(), 8);
}

TEST(ServiceEndpointTest, ReadsHostAndPortOfServiceAddresses) {
    struct Case {
        const char* url;
        bool ok;
        const char* host;
        const char* port;
    } cases[] = {
        {"http://127.0.0.1:8790", true, "127.0.0.1", "8790"},
        {"http://example.test/path:80", true, "example.test", "80"},
        {"HTTPS://user:pw@host.test?x=1", true, "host.test", "443"},
        {"http://[::1]:9000/x", true, "::1", "9000"},
        {"http://[::1/x", false, "", ""},
        {"http://:80/", false, "", ""},
        {"file:///etc/passwd", false, "", ""},
        {"127.0.0.1:80", false, "", ""},
    };
    for (const Case& c : cases) {
        tovak::ServiceEndpoint endpoint;
        EXPECT_EQ(tovak::parseServiceEndpoint(c.url, endpoint), c.ok) << c.url;
        if (c.ok) {
            EXPECT_EQ(endpoint.host, c.host) << c.url;
            EXPECT_EQ(endpoint.port, c.port) << c.url;
        }
    }
}

} // namespace
