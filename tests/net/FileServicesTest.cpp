#include "net/FileServices.h"

#include "net/HttpLimits.h"
#include "platform/DebugOutput.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"
#include "support/WaitUntil.h"

#include <chrono>
#include <filesystem>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testing_support::ScopedEnvironment;
using testing_support::TempFolder;

class FileServicesTest : public ::testing::Test {
protected:
    void TearDown() override {
        if (m_nHolder > 0) {
            ::kill(m_nHolder, SIGKILL);
            ::waitpid(m_nHolder, nullptr, 0);
        }
    }

    // Another process takes the lock of fileName and keeps it for holdMs.
    void holdLockElsewhere(const std::string& fileName, int holdMs) {
        const std::string marker = m_folder.file("held");
        const std::string lockName = FileServices::lockNameFor(fileName);
        const std::string hold = std::to_string(holdMs);
        m_nHolder = ::fork();
        if (m_nHolder == 0) {
            ::execl(LOCK_HOLDER_PATH, LOCK_HOLDER_PATH, lockName.c_str(), marker.c_str(),
                    hold.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ASSERT_TRUE(testing_support::waitUntil([&] { return std::filesystem::exists(marker); }));
    }

    TempFolder m_folder;
    TempFolder m_runtime;
    ScopedEnvironment m_runtimeDir{"XDG_RUNTIME_DIR", m_runtime.path()};
    pid_t m_nHolder = -1;
};

TEST_F(FileServicesTest, ReadsTheWholeFileUpToANul) {
    m_folder.write("obs.xml", "<observation/>");
    std::string text = "stale";
    ASSERT_TRUE(FileServices::readFromFile(m_folder.file("obs.xml"), &text));
    EXPECT_EQ(text, "<observation/>");

    m_folder.write("nul.txt", std::string("before\0after", 12));
    ASSERT_TRUE(FileServices::readFromFile(m_folder.file("nul.txt"), &text));
    EXPECT_EQ(text, "before");

    m_folder.write("empty.txt", "");
    ASSERT_TRUE(FileServices::readFromFile(m_folder.file("empty.txt"), &text));
    EXPECT_EQ(text, "");
}

TEST_F(FileServicesTest, MissingFilesAndFoldersAreNotRead) {
    std::string text = "kept";
    EXPECT_FALSE(FileServices::readFromFile(m_folder.file("absent.xml"), &text));
    EXPECT_FALSE(FileServices::readFromFile(m_folder.path(), &text));
    EXPECT_FALSE(FileServices::readFromFile("", &text));
    EXPECT_EQ(text, "kept");
    m_folder.write("there.xml", "x");
    EXPECT_FALSE(FileServices::readFromFile(m_folder.file("there.xml"), nullptr));
}

TEST_F(FileServicesTest, AFileAboveTheDocumentCapIsRefusedWithADebugLine) {
    const HttpLimits saved = httpLimits();
    HttpLimits small = saved;
    small.nMaxDocumentBytes = 16;
    setHttpLimits(small);
    std::string lines;
    platform::setDebugSink([&lines](std::string_view line) { lines += std::string(line) + "\n"; });
    m_folder.write("big.xml", std::string(17, 'b'));
    m_folder.write("fits.xml", std::string(16, 'f'));
    std::string text;
    const bool bigRead = FileServices::readFromFile(m_folder.file("big.xml"), &text);
    const bool fitsRead = FileServices::readFromFile(m_folder.file("fits.xml"), &text);
    platform::setDebugSink({});
    setHttpLimits(saved);
    EXPECT_FALSE(bigRead);
    EXPECT_TRUE(fitsRead);
    EXPECT_EQ(text, std::string(16, 'f'));
    EXPECT_EQ(lines.rfind("FileServices::_reallyReadFromFile( string file, string *result) - "
                          "GlobalAlloc() error: code = ",
                          0),
              0u)
        << lines;
}

TEST_F(FileServicesTest, WaitsForALockHeldByAnotherProcessThenGivesUp) {
    m_folder.write("wx.xml", "<observation/>");
    holdLockElsewhere("wx.xml", -1);
    std::string text = "unchanged";
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(FileServices::readFromFile(m_folder.file("wx.xml"), &text));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1900));
    EXPECT_EQ(text, "unchanged");
}

TEST_F(FileServicesTest, TheLockIsNamedByFileNameOnly) {
    m_folder.write("other/wx.xml", "<observation/>");
    holdLockElsewhere("/elsewhere/entirely/wx.xml", -1);
    std::string text = "unchanged";
    EXPECT_FALSE(FileServices::readFromFile(m_folder.file("other/wx.xml"), &text))
        << "a file of the same name elsewhere shares the lock";
    EXPECT_EQ(text, "unchanged");
    ::kill(m_nHolder, SIGKILL);
    ::waitpid(m_nHolder, nullptr, 0);
    m_nHolder = -1;
    EXPECT_TRUE(FileServices::readFromFile(m_folder.file("other/wx.xml"), &text));
    EXPECT_EQ(text, "<observation/>");
}

} // namespace
