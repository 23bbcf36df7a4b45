#include "platform/ThreadAlarm.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

namespace {

using Clock = platform::ThreadAlarm::Clock;

class ThreadAlarmTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(::pipe(m_pipe), 0); }
    void TearDown() override {
        ::close(m_pipe[0]);
        ::close(m_pipe[1]);
    }
    int m_pipe[2] = {-1, -1};
};

TEST_F(ThreadAlarmTest, EndsABlockingCallAtTheDeadlineAndNothingAfterIt) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(50);
    {
        auto alarm = platform::ThreadAlarm::arm(deadline);
        ASSERT_TRUE(alarm);
        char byte = 0;
        // Nothing is ever written: only the alarm can end the read.
        EXPECT_EQ(::read(m_pipe[0], &byte, 1), -1);
        EXPECT_EQ(errno, EINTR);
        EXPECT_GE(Clock::now(), deadline);
    }
    // Once the alarm is gone, a wait of its own runs to its end.
    pollfd ready{m_pipe[0], POLLIN, 0};
    EXPECT_EQ(::poll(&ready, 1, 200), 0);
}

TEST_F(ThreadAlarmTest, APassedDeadlineArmsNothing) {
    EXPECT_FALSE(platform::ThreadAlarm::arm(Clock::now()));
    EXPECT_FALSE(platform::ThreadAlarm::arm(Clock::now() - std::chrono::seconds(1)));
}

} // namespace
