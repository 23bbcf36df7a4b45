#include "services/ConnectionWatch.h"
#include "services/HttpRequest.h"
#include "services/WorkerPool.h"

#include <future>
#include <gtest/gtest.h>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

TEST(RequestTargetTest, SplitsAndDecodesPathAndParameters) {
    HttpRequest request;
    ASSERT_TRUE(
        parseRequestTarget("/packs/My%20Pack+1.wxs?a=1+2&b=%41&&c&a=second&d=x=y", request));
    EXPECT_EQ(request.path, "/packs/My Pack+1.wxs"); // '+' is a blank in the query only
    EXPECT_EQ(request.parameterValue("a"), "1 2");   // the first of a name counts
    EXPECT_EQ(request.parameterValue("b"), "A");
    EXPECT_EQ(request.parameterValue("d"), "x=y");
    ASSERT_NE(request.parameter("c"), nullptr);
    EXPECT_EQ(request.parameterValue("c"), "");
    EXPECT_EQ(request.parameter("missing"), nullptr);
}

TEST(RequestTargetTest, MalformedEscapesStayAsSentAndNulBytesAreRefused) {
    HttpRequest request;
    ASSERT_TRUE(parseRequestTarget("/packs/100%.wxs?id=a%ZZb&skin=a%00b&ok=%7E", request));
    EXPECT_EQ(request.path, "/packs/100%.wxs");
    ASSERT_NE(request.parameter("id"), nullptr);
    EXPECT_EQ(request.parameter("id")->value, "a%ZZb");
    EXPECT_FALSE(request.parameter("id")->wellFormed);
    EXPECT_FALSE(request.parameter("skin")->wellFormed);
    EXPECT_EQ(request.parameter("skin")->value.find('\0'), std::string::npos);
    EXPECT_TRUE(request.parameter("ok")->wellFormed);

    EXPECT_FALSE(parseRequestTarget("/27/3%00", request));
    EXPECT_FALSE(parseRequestTarget("http://elsewhere/", request));
    EXPECT_FALSE(parseRequestTarget("", request));
    EXPECT_FALSE(parseRequestTarget("?a=1", request));
}

// A connected pair of sockets: the watch holds one end, the test the other.
struct SocketPair {
    SocketPair() { socketpair(AF_UNIX, SOCK_STREAM, 0, fds); }
    ~SocketPair() {
        close(fds[0]);
        close(fds[1]);
    }
    // True when the watch's end was shut down (the test's end reads the end).
    bool cut() const {
        char byte = 0;
        return recv(fds[1], &byte, 1, MSG_DONTWAIT) == 0;
    }
    int fds[2] = {-1, -1};
};

TEST(ConnectionWatchTest, ShutsDownOnlyWhatWaitedForHeadersTooLong) {
    ConnectionWatch watch(1000, 100);
    SocketPair waiting;
    SocketPair busy;
    SocketPair answered;
    ConnectionWatch::Entry* waitingEntry = watch.opened(waiting.fds[0], 0);
    watch.opened(busy.fds[0], 0)->requestArrived();
    ConnectionWatch::Entry* answeredEntry = watch.opened(answered.fds[0], 0);
    answeredEntry->requestArrived();
    answeredEntry->answered(900); // waits again, from its answer on

    EXPECT_EQ(watch.sweep(999), 0u);
    EXPECT_FALSE(waiting.cut());
    EXPECT_EQ(watch.sweep(1000), 1u);
    EXPECT_TRUE(waiting.cut());
    EXPECT_TRUE(waitingEntry->cut());
    EXPECT_FALSE(busy.cut());
    EXPECT_FALSE(answered.cut());
    EXPECT_EQ(watch.sweep(1500), 0u); // once is enough
    EXPECT_EQ(watch.sweep(1900), 1u);
    EXPECT_TRUE(answered.cut());
    EXPECT_FALSE(busy.cut());

    watch.closed(waitingEntry);
    EXPECT_EQ(watch.size(), 2u);
}

TEST(ConnectionWatchTest, UnderPressureIdleConnectionsGoAfterASecond) {
    SocketPair a;
    SocketPair b;
    ConnectionWatch roomy(60000, 10);
    roomy.opened(a.fds[0], 0);
    roomy.opened(b.fds[0], 0);
    EXPECT_EQ(roomy.sweep(ConnectionWatch::kPressureWait), 0u);

    ConnectionWatch full(60000, 2);
    full.opened(a.fds[0], 0);
    full.opened(b.fds[0], 500);
    EXPECT_EQ(full.sweep(ConnectionWatch::kPressureWait), 1u);
    EXPECT_TRUE(a.cut());
    EXPECT_FALSE(b.cut());
}

TEST(ConnectionWatchTest, ManyDueAtOnceGoInBatchesLongestWaitingFirst) {
    ConnectionWatch watch(1000, 10000);
    const std::size_t count = ConnectionWatch::kMaxCutsPerSweep + 10;
    std::vector<std::unique_ptr<SocketPair>> pairs;
    for (std::size_t i = 0; i < count; ++i) {
        pairs.push_back(std::make_unique<SocketPair>());
        // The last ten opened first.
        watch.opened(pairs.back()->fds[0], i + 10 < count ? 100 : 0);
    }
    EXPECT_EQ(watch.sweep(2000), ConnectionWatch::kMaxCutsPerSweep);
    for (std::size_t i = count - 10; i < count; ++i) {
        EXPECT_TRUE(pairs[i]->cut()) << i;
    }
    EXPECT_EQ(watch.sweep(2000), 10u);
    for (const auto& pair : pairs) {
        EXPECT_TRUE(pair->cut());
    }
}

TEST(WorkerPoolTest, RefusesBeyondItsQueueAndRunsWhatWasQueuedBeforeStopping) {
    WorkerPool pool(1, 2);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    std::promise<void> started;
    std::atomic<int> ran{0};
    ASSERT_TRUE(pool.post([&] {
        started.set_value();
        released.wait();
        ++ran;
    }));
    started.get_future().wait(); // the one worker is busy now
    EXPECT_TRUE(pool.post([&] { ++ran; }));
    EXPECT_TRUE(pool.post([&] { ++ran; }));
    EXPECT_FALSE(pool.post([&] { ++ran; })); // the queue holds two
    release.set_value();
    pool.stop();
    EXPECT_EQ(ran.load(), 3);
    EXPECT_FALSE(pool.post([&] { ++ran; }));
}

} // namespace
