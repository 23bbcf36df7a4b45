#include "platform/Process.h"

#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>

namespace {

TEST(Process, ReportsTheExitCode) {
    platform::Process success = platform::Process::start({"true"});
    ASSERT_TRUE(success.isRunning());
    EXPECT_GT(success.pid(), 0);
    EXPECT_EQ(success.wait(), 0);
    EXPECT_FALSE(success.isRunning()) << "a reaped process is no longer running";
    EXPECT_EQ(success.wait(), -1) << "nothing left to wait for";

    platform::Process failure = platform::Process::start({"/bin/sh", "-c", "exit 3"});
    EXPECT_EQ(failure.wait(30000), 3);
}

TEST(Process, PassesArgumentsUnchanged) {
    platform::Process check = platform::Process::start(
        {"sh", "-c", "[ \"$1\" = 'two words' ] && [ -z \"$2\" ]", "sh", "two words", ""});
    EXPECT_EQ(check.wait(30000), 0);
}

TEST(Process, TimedWaitGivesUpAndTheProcessCanBeWaitedForLater) {
    platform::Process sleeper = platform::Process::start({"sleep", "600"});
    ASSERT_TRUE(sleeper.isRunning());
    EXPECT_EQ(sleeper.wait(50), -1);
    EXPECT_TRUE(sleeper.isRunning());
    kill(sleeper.pid(), SIGTERM);
    EXPECT_EQ(sleeper.wait(30000), -1) << "ended by a signal";
    EXPECT_FALSE(sleeper.isRunning());
}

TEST(Process, FailedStartIsReported) {
    platform::Process missing = platform::Process::start({"/nonexistent/installer.exe"});
    EXPECT_FALSE(missing.isRunning());
    EXPECT_EQ(missing.startError(), ENOENT);
    EXPECT_EQ(missing.wait(10), -1);

    platform::Process nothing = platform::Process::start({});
    EXPECT_FALSE(nothing.isRunning());
    EXPECT_EQ(nothing.startError(), EINVAL);
}

TEST(Process, MovingHandsOverTheChild) {
    platform::Process first = platform::Process::start({"true"});
    platform::Process second = std::move(first);
    EXPECT_FALSE(first.isRunning());
    EXPECT_EQ(second.wait(30000), 0);
}

} // namespace
