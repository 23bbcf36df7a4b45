#include "AppTestEnvironment.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace {

using Pings = std::vector<std::string>;

// Runs the real program with the test's environment; its standard error is
// kept in a file of the data folder.
class Program : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "the program needs an X display (run under xvfb-run)";
        }
    }

    int run(const std::string& arguments) {
        const std::string command = "timeout 60 \"" + std::string(NIMBORA_TEST_PROGRAM) + "\" " +
                                    arguments + " >/dev/null 2>\"" + m_env.m_dataHome.path() +
                                    "stderr.txt\"";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string standardError() { return m_env.m_dataHome.read("stderr.txt"); }
    void installFramework() { m_env.loadFramework(); }

    AppTestEnvironment m_env;
    testing_support::ScopedEnvironment m_accessibility{"NO_AT_BRIDGE", "1"};
    testing_support::ScopedEnvironment m_boxes{"NIMBORA_MESSAGE_BOXES", "stderr"};
    testing_support::ScopedEnvironment m_leaks{
        "LSAN_OPTIONS", "suppressions=" NIMBORA_TEST_LSAN_SUPPRESSIONS ":print_suppressions=0"};
    // The toolkit's teardown leaves allocations behind that vary from run to
    // run, which would turn the exit code into noise; leaks in our own code
    // are caught by the in-process tests.
    testing_support::ScopedEnvironment m_noLeakCheck{"ASAN_OPTIONS", "detect_leaks=0"};
};

TEST_F(Program, UnknownSwitchEndsAtOnce) {
    installFramework();
    EXPECT_EQ(run("/x"), 0);
    EXPECT_EQ(m_env.pings(), (Pings{"3", "29", "usage"}));
}

TEST_F(Program, PreviewWithoutWindowIdSaysSoInOneLine) {
    installFramework();
    EXPECT_EQ(run("/p"), 0);
    // The framework library's load note may come first; the complaint is
    // one whole line of its own.
    const std::string said = standardError();
    const std::string line = "\nnimbora-screensaver: the preview needs the id of the window to "
                             "draw in, as in \"/p 12345\"\n";
    const std::size_t at = ("\n" + said).find(line);
    ASSERT_NE(at, std::string::npos) << said;
    EXPECT_EQ(("\n" + said).find("nimbora-screensaver:", at + line.size()), std::string::npos);
}

TEST_F(Program, MissingFrameworkShowsItsBoxAndSendsOnlyTheDirectPing) {
    EXPECT_EQ(run("/s"), 0);
    EXPECT_EQ(m_env.pings(), (Pings{"159"}));
    EXPECT_NE(standardError().find(m_env.m_installFolder.path() + "libtovak.so"), std::string::npos)
        << standardError();
}

} // namespace
