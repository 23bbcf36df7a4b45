#include "ServicesTestSupport.h"

#include <gtest/gtest.h>
#include <memory>

using services_test::RawClient;
using services_test::RunningServer;

namespace {

const std::string kObs = "/wxdata/obs/US10001.xml?key=cycle-B";

std::string request(const std::string& method, const std::string& target,
                    const std::string& headers = "") {
    return method + " " + target + " HTTP/1.1\r\nHost: 127.0.0.1\r\n" + headers + "\r\n";
}

TEST(HttpDaemonTest, SlowAndSilentClientsDoNotHoldUpOthers) {
    // Far more hostile connections than threads of either kind.
    RunningServer server([](ServerConfig& c) {
        c.ioThreads = 1;
        c.threads = 2;
        c.headerTimeoutSeconds = 600;
    });
    std::vector<std::unique_ptr<RawClient>> hostile;
    for (int i = 0; i < 24; ++i) {
        hostile.push_back(std::make_unique<RawClient>(server.port()));
        if (i % 2 == 0) {
            hostile.back()->send("GET " + kObs + " HTTP/1.1\r\nHost: 127.0.0.1\r\nX-Slow: a");
        }
    }
    EXPECT_EQ(server.get(kObs).status, 200);
    EXPECT_EQ(server.get("/search/search?site=US&where=10001").status, 200);
    EXPECT_EQ(server.get("/27/3?id=inst&cobrand=&skin=&rnd=1&").status, 200);
    for (auto& client : hostile) {
        EXPECT_TRUE(client->open()); // served around, not closed to make room
    }
}

TEST(HttpDaemonTest, HeadersThatDoNotArriveInTimeEndTheConnection) {
    RunningServer server([](ServerConfig& c) {
        c.headerTimeoutSeconds = 1;
        c.idleTimeoutSeconds = 600; // only the header deadline can end these
    });
    RawClient trickling(server.port());
    RawClient silent(server.port());
    trickling.send("GET /index.html?trickle HTTP/1.1\r\nHost: 127.0.0.1\r\n");
    // A header byte every 100 ms keeps the connection busy, never complete.
    const auto bound = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    bool closed = false;
    while (!closed && std::chrono::steady_clock::now() < bound) {
        trickling.send("a");
        closed = trickling.readUntilClosed(std::chrono::milliseconds(100));
    }
    EXPECT_TRUE(closed);
    EXPECT_EQ(trickling.status(), 0);
    EXPECT_TRUE(silent.readUntilClosed());
    EXPECT_FALSE(
        server.waitForLogLine({" 127.0.0.1 \"- /index.html?trickle\" - - ", "header timeout"})
            .empty())
        << ::testing::PrintToString(server.logLines());
    EXPECT_EQ(server.get(kObs).status, 200);
}

TEST(HttpDaemonTest, ABodyIsRefusedAtTheHeadersAndTheConnectionClosed) {
    RunningServer server;
    RawClient huge(server.port());
    huge.send(request("POST", kObs, "Content-Length: 1073741824\r\n") + std::string(4096, 'x'));
    EXPECT_TRUE(huge.readUntilClosed());
    EXPECT_EQ(huge.status(), 413);

    RawClient chunked(server.port());
    chunked.send(request("GET", kObs, "Transfer-Encoding: chunked\r\n") + "5\r\nhello\r\n");
    EXPECT_TRUE(chunked.readUntilClosed());
    EXPECT_EQ(chunked.status(), 413);

    // An empty body is no body; another method than GET or HEAD is not allowed.
    RawClient empty(server.port());
    empty.send(request("GET", kObs, "Content-Length: 0\r\nConnection: close\r\n"));
    EXPECT_TRUE(empty.readUntilClosed());
    EXPECT_EQ(empty.status(), 200);
    RawClient post(server.port());
    post.send(request("POST", kObs, "Content-Length: 0\r\nConnection: close\r\n"));
    EXPECT_TRUE(post.readUntilClosed());
    EXPECT_EQ(post.status(), 405);
    EXPECT_NE(post.received().find("Allow: GET, HEAD\r\n"), std::string::npos);
    RawClient head(server.port());
    head.send(request("HEAD", kObs, "Connection: close\r\n"));
    EXPECT_TRUE(head.readUntilClosed());
    EXPECT_EQ(head.status(), 200);
    EXPECT_EQ(head.received().find("<observation>"), std::string::npos);
}

TEST(HttpDaemonTest, BeyondTheConnectionLimitClientsWaitWhileIdleOnesAreClosed) {
    RunningServer server([](ServerConfig& c) {
        c.ioThreads = 1;
        c.maxConnections = 4;
        c.headerTimeoutSeconds = 600; // only the pressure rule frees slots
    });
    std::vector<std::unique_ptr<RawClient>> idle;
    for (int i = 0; i < 4; ++i) {
        idle.push_back(std::make_unique<RawClient>(server.port()));
    }
    RawClient waiting(server.port()); // in the backlog until a slot frees
    waiting.send(request("GET", kObs, "Connection: close\r\n"));
    EXPECT_TRUE(waiting.readUntilClosed());
    EXPECT_EQ(waiting.status(), 200);
    int closed = 0;
    for (auto& client : idle) {
        closed += client->open() ? 0 : 1;
    }
    EXPECT_GE(closed, 1);
}

TEST(HttpDaemonTest, RefusedRequestsAreLoggedWithTheirOwnAddressAndDuration) {
    RunningServer server;
    // Durations come from a stopped clock: a request that took none but was
    // logged with an earlier request's start would show the gap.
    server.freezeStopwatch(1000000);
    EXPECT_EQ(server.get("/index.html").status, 200);
    EXPECT_FALSE(server.waitForLogLine({"\"GET /index.html\" 200 "}).empty());
    server.freezeStopwatch(9000000);

    RawClient tooLarge(server.port());
    tooLarge.send(
        request("GET", "/index.html?large", "X-Large: " + std::string(20000, 'a') + "\r\n"));
    EXPECT_TRUE(tooLarge.readUntilClosed());
    EXPECT_EQ(tooLarge.status(), 431);
    RawClient body(server.port());
    body.send(request("POST", "/search/search?body", "Content-Length: 10\r\n"));
    EXPECT_TRUE(body.readUntilClosed());
    EXPECT_EQ(server.get("/27/3%00?id=x").status, 400);

    EXPECT_FALSE(
        server.waitForLogLine({" 127.0.0.1 \"- /index.html?large\" 431 - 0.00ms refused"}).empty());
    EXPECT_FALSE(
        server.waitForLogLine({" 127.0.0.1 \"POST /search/search?body\" 413 ", " 0.00ms"}).empty());
    EXPECT_FALSE(
        server.waitForLogLine({" 127.0.0.1 \"GET /27/3%00?id=x\" 400 ", " 0.00ms"}).empty());
}

TEST(HttpDaemonTest, ControlBytesInATargetCannotForgeALogLine) {
    RunningServer server;
    RawClient client(server.port());
    client.send("GET /x\x1b[2J\"y HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n");
    EXPECT_TRUE(client.readUntilClosed());
    EXPECT_FALSE(server.waitForLogLine({"\"GET /x\\x1B[2J\\x22y\" 404 "}).empty());
}

} // namespace
