#include "AppTestEnvironment.h"
#include "PrivateDisplay.h"
#include "app/SettingsStore.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

using namespace show_testing;

namespace {

constexpr int WIDTH = 640;
constexpr int HEIGHT = 480;
constexpr const char* LAST_BLEND_STEP = "#### Ending looping";
constexpr const char* REFRESH = "refreshOurWeatherInfo()";

std::uint32_t rgbAt(const DrawingSurface& shot, int x, int y) {
    return shot.row(y)[x] & 0xFFFFFF;
}

bool sameArea(const DrawingSurface& a, const DrawingSurface& b, const Rect& area) {
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (rgbAt(a, x, y) != rgbAt(b, x, y)) {
                return false;
            }
        }
    }
    return true;
}

// The saver as the operating system's screensaver machinery runs it: the
// real program on a private X server, with its settings, the sample pack,
// the framework library and a recording web server, driven with xdotool.
class SaverWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_env.loadFramework();
        namespace fs = std::filesystem;
        fs::create_symlink(fs::path(INSTALL_FOLDER) / "nimbora-skies.wxs",
                           m_env.m_installFolder.file("nimbora-skies.wxs"));
        for (const auto& [key, value] :
             {std::pair{"locID", "USNY0996"}, std::pair{"displayName", "New York, NY"},
              std::pair{"CurrentImagePackFileName", "nimbora-skies.wxs"},
              // Photos in pack order, each different from the one before, and
              // no change by the timer while a test looks.
              std::pair{"displayImageMethod", "3"}, std::pair{"displayShowAllMethod", "2"},
              std::pair{"Speed", "10"}}) {
            SettingsStore::SetString("", key, value);
        }
    }

    bool startDisplay(int nWidth = WIDTH, int nHeight = HEIGHT) {
        m_pDisplay = PrivateDisplay::startXvfb(nWidth, nHeight);
        return m_pDisplay != nullptr;
    }

    void startShow(const std::vector<std::string>& arguments) {
        std::vector<std::string> argv{NIMBORA_TEST_PROGRAM};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        m_show = startProgram(argv, m_env.m_dataHome.file("output.txt"));
        ASSERT_TRUE(m_show.isRunning());
    }

    std::string log() const {
        std::ifstream in(m_env.m_dataHome.file("Nimbora/Screensaver/screensaver.log"));
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    int countInLog(const std::string& csText) const {
        const std::string text = log();
        int nCount = 0;
        for (std::size_t at = text.find(csText); at != std::string::npos;
             at = text.find(csText, at + 1)) {
            ++nCount;
        }
        return nCount;
    }
    bool waitForLog(const std::string& csText, int nAtLeast = 1) {
        return waitUntil([&] { return countInLog(csText) >= nAtLeast; });
    }
    std::string diagnostics() const {
        return "log:\n" + log() + "\noutput:\n" + m_env.m_dataHome.read("output.txt");
    }

    // The show's window, once it is on screen.
    unsigned long waitForShowWindow() {
        unsigned long window = 0;
        waitUntil([&] {
            window = m_pDisplay->findShowWindow();
            return window != 0 && !m_pDisplay->windowRect(window).isEmpty();
        });
        return window;
    }

    // A screenshot once the screen has stopped changing: the photo's
    // transition is over.
    DrawingSurface stillScreen(const Rect& area) {
        DrawingSurface previous = m_pDisplay->screenshot();
        DrawingSurface current;
        waitUntil([&] {
            current = m_pDisplay->screenshot();
            const bool bStill = sameArea(previous, current, area);
            previous = std::move(current);
            return bStill;
        });
        return previous;
    }

    // Waits until the first photo has come in completely.
    DrawingSurface waitForFirstPhoto(const Rect& area) {
        EXPECT_TRUE(waitForLog(LAST_BLEND_STEP)) << diagnostics();
        return stillScreen(area);
    }

    bool refreshCommandReaches(int nExpectedExit) {
        Child command = startProgram({NIMBORA_TEST_REFRESH_COMMAND});
        return command.waitForExit() == nExpectedExit;
    }

    Rect wholeScreen() const { return Rect{0, 0, m_pDisplay->width(), m_pDisplay->height()}; }

    AppTestEnvironment m_env;
    std::unique_ptr<PrivateDisplay> m_pDisplay;
    Child m_show;
    testing_support::ScopedEnvironment m_accessibility{"NO_AT_BRIDGE", "1"};
    testing_support::ScopedEnvironment m_boxes{"NIMBORA_MESSAGE_BOXES", "stderr"};
    // The toolkit's teardown leaks vary from run to run; the exit code must
    // speak of the show.
    testing_support::ScopedEnvironment m_noLeakCheck{"ASAN_OPTIONS", "detect_leaks=0"};
};

TEST_F(SaverWindow, CoversTheScreenAndClosesOnlyOnActivity) {
    ASSERT_TRUE(startDisplay());
    // Nothing to refresh yet: the command says so.
    EXPECT_TRUE(refreshCommandReaches(1));

    startShow({"/s"});
    const unsigned long window = waitForShowWindow();
    ASSERT_NE(window, 0UL) << diagnostics();
    // No window manager: the window's own geometry covers the screen, and
    // it took the keyboard itself.
    EXPECT_EQ(m_pDisplay->windowRect(window), wholeScreen());
    EXPECT_TRUE(waitUntil([&] { return m_pDisplay->focusWindow() == window; }));
    const DrawingSurface first = waitForFirstPhoto(wholeScreen());
    for (const auto& [x, y] : {std::pair{0, 0}, std::pair{WIDTH - 1, HEIGHT - 1}}) {
        EXPECT_NE(rgbAt(first, x, y), 0u) << "the photo does not reach " << x << ", " << y;
    }

    // The first move only records where the pointer is.
    ASSERT_TRUE(m_pDisplay->xdotool({"mousemove", "100", "100"}));
    ASSERT_TRUE(waitForLog("First mouse position (100, 100) recorded.")) << diagnostics();
    EXPECT_TRUE(m_show.isRunning());

    // A window manager's close request is refused.
    m_pDisplay->sendDeleteWindow(window);
    ASSERT_TRUE(waitForLog("Refusing the request to close.")) << diagnostics();
    EXPECT_TRUE(m_show.isRunning());

    // The refresh command redraws the photo without a download.
    const std::size_t nObservations = m_env.m_server.requestsUnder("/wxdata/obs/").size();
    const int nBlends = countInLog(LAST_BLEND_STEP);
    EXPECT_TRUE(refreshCommandReaches(0));
    ASSERT_TRUE(waitForLog(REFRESH)) << diagnostics();
    EXPECT_TRUE(waitForLog(LAST_BLEND_STEP, nBlends + 1)) << diagnostics();
    EXPECT_EQ(m_env.m_server.requestsUnder("/wxdata/obs/").size(), nObservations);
    EXPECT_TRUE(m_show.isRunning());

    // The right arrow shows the next photo at once and keeps the show.
    const DrawingSurface before = stillScreen(wholeScreen());
    ASSERT_TRUE(m_pDisplay->xdotool({"key", "Right"}));
    EXPECT_TRUE(waitUntil([&] {
        return !sameArea(before, m_pDisplay->screenshot(), wholeScreen());
    })) << diagnostics();
    EXPECT_TRUE(m_show.isRunning());

    // One pixel away from the first position ends it.
    ASSERT_TRUE(m_pDisplay->xdotool({"mousemove", "101", "100"}));
    EXPECT_EQ(m_show.waitForExit(), 0) << diagnostics();
    EXPECT_NE(log().find("Closing on activity: the mouse moved to (101, 100)."), std::string::npos)
        << diagnostics();
}

TEST_F(SaverWindow, AnyOtherKeyOrAButtonClosesAndOnlyTheFirstRunIsAFirstLaunch) {
    ASSERT_TRUE(startDisplay());
    struct Case {
        std::vector<std::string> action;
        const char* cause;
        std::vector<std::string> pings;
    };
    for (const Case& c :
         {Case{{"key", "Left"}, "Closing on activity: the key", {"3", "29", "usage", "27", "29"}},
          Case{{"click", "1"}, "Closing on activity: a mouse button.", {"3", "29", "usage"}}}) {
        SCOPED_TRACE(c.cause);
        m_env.m_server.clearRequests();
        const int nClosings = countInLog(c.cause);
        const int nShown = countInLog(LAST_BLEND_STEP);
        startShow({"/s"});
        ASSERT_NE(waitForShowWindow(), 0UL) << diagnostics();
        ASSERT_TRUE(waitForLog(LAST_BLEND_STEP, nShown + 1)) << diagnostics();
        ASSERT_TRUE(m_pDisplay->xdotool(c.action));
        EXPECT_EQ(m_show.waitForExit(), 0) << diagnostics();
        EXPECT_EQ(countInLog(c.cause), nClosings + 1) << diagnostics();
        EXPECT_EQ(m_env.pings(), c.pings);
        EXPECT_EQ(SettingsStore::GetString("", "ftl", ""), "false");
    }
}

TEST_F(SaverWindow, UnderAWindowManagerItIsFullScreenAboveAndEndsWhenAnotherWindowIsActivated) {
    ASSERT_TRUE(startDisplay());
    ASSERT_TRUE(m_pDisplay->startWindowManager());
    const unsigned long other = m_pDisplay->createWindow(Rect{20, 20, 220, 120}, "Another program");
    startShow({"/s"});
    const unsigned long window = waitForShowWindow();
    ASSERT_NE(window, 0UL) << diagnostics();
    EXPECT_TRUE(waitUntil([&] {
        return m_pDisplay->hasWindowState(window, "_NET_WM_STATE_FULLSCREEN") &&
               m_pDisplay->hasWindowState(window, "_NET_WM_STATE_ABOVE") &&
               m_pDisplay->windowRect(window) == wholeScreen();
    })) << diagnostics();
    EXPECT_TRUE(waitUntil([&] { return m_pDisplay->focusWindow() == window; }));
    waitForFirstPhoto(wholeScreen());
    EXPECT_TRUE(m_show.isRunning());

    ASSERT_TRUE(m_pDisplay->xdotool({"windowactivate", std::to_string(other)}));
    EXPECT_EQ(m_show.waitForExit(), 0) << diagnostics();
    EXPECT_NE(log().find("Closing on activity: another window became active."), std::string::npos)
        << diagnostics();
}

TEST_F(SaverWindow, InASaverDaemonsWindowItIgnoresInputAndEndsOnSigterm) {
    ASSERT_TRUE(startDisplay());
    const Rect area{40, 30, 440, 330};
    const unsigned long daemonWindow = m_pDisplay->createWindow(area, "The daemon's window");
    startShow({"--window-id", std::to_string(daemonWindow)});
    ASSERT_NE(waitForShowWindow(), 0UL) << diagnostics();
    const DrawingSurface shown = waitForFirstPhoto(area);
    // The photo fills the daemon's window (white until then).
    EXPECT_NE(rgbAt(shown, area.left + 1, area.top + 1), 0xFFFFFFu);
    EXPECT_NE(rgbAt(shown, area.right - 2, area.bottom - 2), 0xFFFFFFu);
    EXPECT_EQ(rgbAt(shown, area.right + 5, area.bottom + 5), 0u); // nothing outside it

    for (const std::vector<std::string>& action :
         {std::vector<std::string>{"mousemove", "100", "100"},
          {"mousemove", "140", "160"},
          {"key", "Left"},
          {"key", "Escape"},
          {"click", "1"}}) {
        ASSERT_TRUE(m_pDisplay->xdotool(action));
    }
    // The refresh arrives after the input, so once it is handled so is all of that.
    EXPECT_TRUE(refreshCommandReaches(0));
    ASSERT_TRUE(waitForLog(REFRESH)) << diagnostics();
    EXPECT_TRUE(m_show.isRunning());
    EXPECT_EQ(log().find("Closing on activity"), std::string::npos) << diagnostics();

    const auto asked = std::chrono::steady_clock::now();
    m_show.signal(SIGTERM);
    EXPECT_EQ(m_show.waitForExit(), 0) << diagnostics();
    RecordProperty("sigterm_to_exit_ms",
                   static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                        std::chrono::steady_clock::now() - asked)
                                        .count()));
}

TEST_F(SaverWindow, SpansTwoMonitorsAndGivesBothBackWhenItEnds) {
    std::string whyNot;
    const Rect left{0, 0, 800, 600};
    const Rect right{800, 0, 1440, 480};
    m_pDisplay = PrivateDisplay::startTwoMonitors(left, right, &whyNot);
    if (!m_pDisplay) {
        GTEST_SKIP() << "no two-monitor X server here: " << whyNot;
    }
    startShow({"/s"});
    const unsigned long window = waitForShowWindow();
    ASSERT_NE(window, 0UL) << diagnostics();
    EXPECT_EQ(m_pDisplay->windowRect(window), left);
    waitForFirstPhoto(left);
    // The right monitor shows the middle 640 x 480 of the 800 x 600 frame.
    const auto copyShown = [&] {
        const DrawingSurface shot = m_pDisplay->screenshot();
        for (int y = 0; y < right.height(); y += 3) {
            for (int x = 0; x < right.width(); x += 3) {
                if (rgbAt(shot, right.left + x, y) != rgbAt(shot, 80 + x, 60 + y)) {
                    return false;
                }
            }
        }
        return true;
    };
    EXPECT_TRUE(waitUntil(copyShown)) << diagnostics();

    // Moving the pointer over the copy counts as much as over the show.
    ASSERT_TRUE(m_pDisplay->xdotool({"mousemove", "1000", "200"}));
    ASSERT_TRUE(waitForLog("First mouse position (1000, 200) recorded.")) << diagnostics();
    ASSERT_TRUE(m_pDisplay->xdotool({"mousemove", "1000", "201"}));
    EXPECT_EQ(m_show.waitForExit(), 0) << diagnostics();
    // Both monitors show the (black) desktop again.
    EXPECT_TRUE(waitUntil([&] {
        const DrawingSurface after = m_pDisplay->screenshot();
        return rgbAt(after, 400, 300) == 0 && rgbAt(after, right.left + 320, 240) == 0;
    }));
}

} // namespace
