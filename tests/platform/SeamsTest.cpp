#include "platform/Clock.h"
#include "platform/DebugOutput.h"
#include "platform/MessageBox.h"
#include "support/ScopedEnvironment.h"

#include <chrono>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using testing_support::ScopedEnvironment;

namespace {

class FixedClock : public platform::Clock {
public:
    int localSeconds() const override { return 37; }
    std::int64_t now() const override { return 1800000000; }
    std::uint32_t tickCount() const override { return 0xFFFFFFF0u; }
};

TEST(Clock, InstalledClockReplacesTheSystemOneUntilRemoved) {
    FixedClock fixed;
    platform::setClock(&fixed);
    EXPECT_EQ(platform::clock().localSeconds(), 37);
    EXPECT_EQ(platform::clock().now(), 1800000000);
    EXPECT_EQ(platform::clock().tickCount(), 0xFFFFFFF0u);
    platform::setClock(nullptr);
    EXPECT_NE(&platform::clock(), &fixed);
}

TEST(Clock, SystemClockReadsTheRealTime) {
    platform::Clock& system = platform::clock();
    std::int64_t before = static_cast<std::int64_t>(std::time(nullptr));
    std::int64_t now = system.now();
    std::int64_t after = static_cast<std::int64_t>(std::time(nullptr));
    EXPECT_GE(now, before);
    EXPECT_LE(now, after);
    int seconds = system.localSeconds();
    EXPECT_GE(seconds, 0);
    EXPECT_LE(seconds, 59);
    using std::chrono::steady_clock;
    const auto start = steady_clock::now();
    std::uint32_t first = system.tickCount();
    std::uint32_t second = system.tickCount();
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(steady_clock::now() - start);
    EXPECT_LE(static_cast<std::uint32_t>(second - first), elapsed.count() + 1)
        << "ticks move forward with the monotonic clock";
}

TEST(CtimeText, HasTheStandardLayoutWithoutNewline) {
    {
        ScopedEnvironment zone("TZ", "UTC");
        tzset();
        EXPECT_EQ(platform::ctimeText(0), "Thu Jan  1 00:00:00 1970");
        EXPECT_EQ(platform::ctimeText(1796643607), "Mon Dec  7 11:40:07 2026");
        EXPECT_EQ(platform::ctimeText(1797000000), "Fri Dec 11 14:40:00 2026");
    }
    {
        ScopedEnvironment berlin("TZ", "Europe/Berlin");
        tzset();
        EXPECT_EQ(platform::ctimeText(0), "Thu Jan  1 01:00:00 1970") << "local time, not UTC";
    }
    tzset();
}

TEST(DebugOutput, GoesToTheInstalledSink) {
    std::vector<std::string> lines;
    platform::setDebugSink([&](std::string_view text) { lines.emplace_back(text); });
    platform::debugOutput("ImgPacks::dumpPackList(); 2 elements:\r\n");
    platform::setDebugSink({});
    platform::debugOutput("to standard error");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "ImgPacks::dumpPackList(); 2 elements:\r\n");
}

TEST(MessageBox, HandlerSeesTitleAndTextAndCanBeRestored) {
    std::vector<std::pair<std::string, std::string>> boxes;
    platform::MessageBoxHandler previous =
        platform::setMessageBoxHandler([&](const std::string& title, const std::string& text) {
            boxes.emplace_back(title, text);
        });
    EXPECT_FALSE(previous) << "no handler by default";
    platform::showMessageBox("ScreenSaver", "Unable to load function(s)  PostUrl");
    platform::MessageBoxHandler mine = platform::setMessageBoxHandler({});
    EXPECT_TRUE(mine);
    platform::showMessageBox("ScreenSaver", "to standard error");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].first, "ScreenSaver");
    EXPECT_EQ(boxes[0].second, "Unable to load function(s)  PostUrl");
}

TEST(MessageBox, HandlersThatWantTheIconGetIt) {
    std::vector<platform::MessageBoxIcon> icons;
    platform::MessageBoxHandler previous = platform::setMessageBoxHandler(
        [&](const std::string&, const std::string&, platform::MessageBoxIcon icon) {
            icons.push_back(icon);
        });
    platform::showMessageBox("Note", "A valid location is required.",
                             platform::MessageBoxIcon::None);
    platform::showMessageBox("Error", "Unable to load function(s) ");
    platform::setMessageBoxHandler(previous);
    EXPECT_EQ(icons, (std::vector<platform::MessageBoxIcon>{platform::MessageBoxIcon::None,
                                                            platform::MessageBoxIcon::Error}));
}

} // namespace
