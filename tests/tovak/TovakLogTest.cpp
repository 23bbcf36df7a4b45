#include "TovakTestEnvironment.h"
#include "app/SettingsStore.h"

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <thread>
#include <vector>

namespace {

using LogTest = testing_support::TovakLibraryTest;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST_F(LogTest, LoggingFollowsTheSettingUnlessTheEnvironmentForcesIt) {
    auto logging = exported<PFN_isLogging>("isLogging");
    EXPECT_FALSE(logging());
    SettingsStore::SetInt("tovak", "logging", 2);
    EXPECT_FALSE(logging());
    SettingsStore::SetInt("tovak", "logging", 1);
    EXPECT_TRUE(logging());
    {
        testing_support::ScopedEnvironment off("NIMBORA_LOGGING", "0");
        EXPECT_FALSE(logging());
    }
    SettingsStore::SetInt("tovak", "logging", 0);
    testing_support::ScopedEnvironment on("NIMBORA_LOGGING", "1");
    EXPECT_TRUE(logging());
}

TEST_F(LogTest, WritesTimestampedLinesIntoTheUserDataFolder) {
    auto log = exported<PFN_logMessage>("logMessage");
    ASSERT_TRUE(log("first line"));
    ASSERT_TRUE(log("two\r\nparts"));
    EXPECT_FALSE(log(nullptr));
    std::vector<std::string> lines = linesOf(logText());
    ASSERT_EQ(lines.size(), 2u);
    std::regex stamped(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\.\d{3} (.*))");
    std::smatch match;
    ASSERT_TRUE(std::regex_match(lines[0], match, stamped)) << lines[0];
    EXPECT_EQ(match[1], "first line");
    ASSERT_TRUE(std::regex_match(lines[1], match, stamped)) << lines[1];
    EXPECT_EQ(match[1], "two  parts");
}

TEST_F(LogTest, LinesFromSeveralThreadsStayWhole) {
    auto log = exported<PFN_logMessage>("logMessage");
    constexpr int kThreads = 6;
    constexpr int kLines = 200;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([log, t] {
            std::string padding(100 + 37 * t, static_cast<char>('a' + t));
            for (int i = 0; i < kLines; ++i) {
                log(("thread " + std::to_string(t) + " line " + std::to_string(i) + " " + padding)
                        .c_str());
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::regex whole(R"(.{23} thread (\d) line (\d+) ([a-z]+))");
    std::set<std::string> seen;
    for (const std::string& line : linesOf(logText())) {
        std::smatch match;
        ASSERT_TRUE(std::regex_match(line, match, whole)) << line.substr(0, 80);
        int t = std::stoi(match[1]);
        EXPECT_EQ(match[3].str(), std::string(100 + 37 * t, static_cast<char>('a' + t)));
        seen.insert(match[1].str() + "/" + match[2].str());
    }
    EXPECT_EQ(seen.size(), static_cast<size_t>(kThreads * kLines));
}

TEST_F(LogTest, AFullLogIsSetAsideSoTheLogStaysBounded) {
    auto log = exported<PFN_logMessage>("logMessage");
    std::string line(1000, 'z');
    for (int i = 0; i < 2600; ++i) {
        ASSERT_TRUE(log(line.c_str()));
    }
    std::ifstream current(dataFolder() + "screensaver.log", std::ios::ate | std::ios::binary);
    std::ifstream older(dataFolder() + "screensaver.log.1", std::ios::ate | std::ios::binary);
    ASSERT_TRUE(current.is_open());
    ASSERT_TRUE(older.is_open());
    EXPECT_LE(static_cast<long>(current.tellg()), 1024 * 1024 + 2000);
    EXPECT_LE(static_cast<long>(older.tellg()), 1024 * 1024 + 2000);
    EXPECT_GT(static_cast<long>(older.tellg()), 1000 * 1000);
}

} // namespace
