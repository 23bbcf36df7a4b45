#include "platform/NamedLock.h"

#include "platform/Folders.h"
#include "platform/Process.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/WaitUntil.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using testing_support::ScopedEnvironment;
using testing_support::TempFolder;
using testing_support::waitUntil;

namespace {

using Clock = std::chrono::steady_clock;

long long millisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

// Starts the holder program and waits until it reports that it has the lock.
platform::Process startHolder(const TempFolder& folder, const std::string& name, int holdMs) {
    std::string marker = folder.file("held-" + std::to_string(holdMs));
    platform::Process holder =
        platform::Process::start({LOCK_HOLDER_PATH, name, marker, std::to_string(holdMs)});
    EXPECT_TRUE(waitUntil([&] { return platform::fileExists(marker); }))
        << "the holder never took the lock";
    return holder;
}

// True while the process waits in the kernel for a file lock (a "->" line
// of /proc/locks names the processes that are blocked).
bool waitsForAFileLock(pid_t pid) {
    std::ifstream locks("/proc/locks");
    std::string line;
    while (std::getline(locks, line)) {
        std::istringstream fields(line);
        std::string number, arrow, kind, mode, access;
        pid_t owner = 0;
        if (fields >> number >> arrow >> kind >> mode >> access >> owner && arrow == "->" &&
            owner == pid) {
            return true;
        }
    }
    return false;
}

class NamedLockTest : public ::testing::Test {
protected:
    TempFolder m_runtime;
    ScopedEnvironment m_runtimeVariable{"XDG_RUNTIME_DIR", m_runtime.path()};
};

TEST_F(NamedLockTest, SecondHolderInProcessWaitsForTheFirst) {
    auto first = platform::NamedLock::acquire("Global\\settings", 100);
    ASSERT_TRUE(first);
    EXPECT_FALSE(platform::NamedLock::acquire("Global\\settings", 50));
    EXPECT_TRUE(platform::NamedLock::acquire("another", 50)) << "names are independent";

    platform::NamedLock moved = std::move(*first);
    first.reset();
    EXPECT_FALSE(platform::NamedLock::acquire("Global\\settings", 20))
        << "the moved-to lock still holds it";
    { platform::NamedLock released = std::move(moved); }
    EXPECT_TRUE(platform::NamedLock::acquire("Global\\settings", 20));

    auto kept = platform::NamedLock::acquire("kept", 20);
    auto other = platform::NamedLock::acquire("replaced", 20);
    ASSERT_TRUE(kept && other);
    *other = std::move(*kept);
    EXPECT_TRUE(platform::NamedLock::acquire("replaced", 20))
        << "assigning over a lock releases the one it held at once";
    EXPECT_FALSE(platform::NamedLock::acquire("kept", 20));
}

TEST_F(NamedLockTest, OtherProcessGivesUpAfterTheBoundAndGetsItOnceTheHolderDies) {
    platform::Process holder = startHolder(m_runtime, "contended", -1);
    ASSERT_TRUE(holder.isRunning());

    auto start = Clock::now();
    EXPECT_FALSE(platform::NamedLock::acquire("contended", 200));
    EXPECT_GE(millisecondsSince(start), 190) << "gave up before the bound";

    kill(holder.pid(), SIGKILL);
    EXPECT_EQ(holder.wait(30000), -1) << "killed by a signal";
    EXPECT_TRUE(platform::NamedLock::acquire("contended", 2000))
        << "an abandoned lock must not block";
}

TEST_F(NamedLockTest, WaiterGetsTheLockWhenTheHolderReleasesWithinTheBound) {
    platform::Process holder = startHolder(m_runtime, "handover", 300);
    auto lock = platform::NamedLock::acquire("handover", 30000);
    EXPECT_TRUE(lock);
    EXPECT_EQ(holder.wait(30000), 0);
}

TEST_F(NamedLockTest, AHolderThatAsksAgainAtOnceQueuesBehindTheProcessThatWaited) {
    auto held = platform::NamedLock::acquire("turns", 1000);
    ASSERT_TRUE(held);
    const std::string marker = m_runtime.file("waiter-had-it");
    platform::Process waiter = platform::Process::start({LOCK_HOLDER_PATH, "turns", marker, "0"});
    ASSERT_TRUE(waitUntil([&] { return waitsForAFileLock(waiter.pid()); }))
        << "the other process does not wait in the kernel";

    held.reset();
    auto again = platform::NamedLock::acquire("turns", 30000);
    ASSERT_TRUE(again);
    EXPECT_TRUE(platform::fileExists(marker)) << "the process that waited had the lock first";
    EXPECT_EQ(waiter.wait(30000), 0);
}

TEST_F(NamedLockTest, LockFilesStayInThePrivateRuntimeFolder) {
    auto lock = platform::NamedLock::acquire("../../escape/attempt", 100);
    ASSERT_TRUE(lock);
    auto files = platform::findFiles(platform::runtimeFolder(), "*");
    ASSERT_EQ(files.size(), 2u) << "the lock and its turn";
    for (const std::string& file : files) {
        EXPECT_EQ(file.find('/'), std::string::npos);
    }
}

TEST(LockNameForFile, IsAStableFileNameForAnyPath) {
    std::string name = platform::lockNameForFile("/home/u/.local/share/Nimbora/config.ini");
    EXPECT_EQ(name, "_home_u_.local_share_Nimbora_config.ini");
    EXPECT_EQ(name, platform::lockNameForFile("/home/u/.local/share/Nimbora/config.ini"));

    std::string longPath = "/" + std::string(400, 'a') + "/x.ini";
    std::string longName = platform::lockNameForFile(longPath);
    EXPECT_LT(longName.size(), 200u);
    EXPECT_NE(longName, platform::lockNameForFile("/" + std::string(400, 'b') + "/x.ini"));
    EXPECT_EQ(longName.find('/'), std::string::npos);
}

} // namespace
