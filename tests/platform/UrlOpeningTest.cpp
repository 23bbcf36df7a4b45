// Opening addresses in the browser, with stub programs standing in for
// xdg-open and the browsers that $BROWSER names.
#include "platform/UrlOpening.h"

#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>

namespace {

using platform::UrlOpening;
using Commands = std::vector<std::vector<std::string>>;

constexpr const char* kUrl = "http://127.0.0.1:8790/services/screensaver/faq.html?par=SSaver&a=b c";

class UrlOpeningTest : public ::testing::Test {
protected:
    UrlOpeningTest() : m_path("PATH", m_bin.path() + ":" + std::string(std::getenv("PATH"))) {}

    // A program of that name that writes its arguments, one a line, to
    // <name>.args and then runs body.
    std::string stub(const std::string& name, const std::string& body) {
        const std::string script = "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" +
                                   m_bin.file(name + ".args") + "'\necho $$ > '" +
                                   m_bin.file(name + ".pid") + "'\n" + body + "\n";
        m_bin.write(name, script);
        ::chmod(m_bin.file(name).c_str(), 0755);
        return m_bin.file(name);
    }
    std::string argumentsOf(const std::string& name) const { return m_bin.read(name + ".args"); }

    static int outcome(UrlOpening& opening) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (!opening.poll() && std::chrono::steady_clock::now() < end) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return opening.finished() ? opening.result() : -1;
    }

    testing_support::TempFolder m_bin;
    testing_support::ScopedEnvironment m_path;
};

TEST_F(UrlOpeningTest, XdgOpenGetsTheAddressAsOneArgument) {
    stub("xdg-open", "exit 0");
    UrlOpening opening(kUrl, "");
    EXPECT_GT(outcome(opening), 32);
    EXPECT_EQ(argumentsOf("xdg-open"), std::string(kUrl) + "\n");
}

TEST_F(UrlOpeningTest, WhenXdgOpenCannotTheBrowsersAreTriedInTurn) {
    stub("xdg-open", "exit 3");
    const std::string failing = stub("failing-browser", "exit 1");
    const std::string browser = stub("browser", "exit 0");
    UrlOpening opening(kUrl, failing + ":" + browser + " --new-window %s");
    EXPECT_GT(outcome(opening), 32);
    EXPECT_EQ(argumentsOf("failing-browser"), std::string(kUrl) + "\n");
    EXPECT_EQ(argumentsOf("browser"), "--new-window\n" + std::string(kUrl) + "\n");
}

TEST_F(UrlOpeningTest, ABrowserStillRunningHasOpenedTheAddress) {
    stub("xdg-open", "exit 4");
    const std::string browser = stub("browser", "exec sleep 60");
    UrlOpening opening(kUrl, browser);
    EXPECT_GT(outcome(opening), 32);
    ::kill(std::atoi(m_bin.read("browser.pid").c_str()), SIGTERM);
}

TEST_F(UrlOpeningTest, WhenNothingOpensTheLastReasonIsGiven) {
    stub("xdg-open", "exit 3");
    UrlOpening noBrowser(kUrl, "");
    EXPECT_EQ(outcome(noBrowser), 31);

    UrlOpening missingBrowser(kUrl, m_bin.file("no-such-browser"));
    EXPECT_EQ(outcome(missingBrowser), 2);

    stub("xdg-open", "exit 4");
    UrlOpening failed(kUrl, "");
    EXPECT_EQ(outcome(failed), 4);
}

TEST_F(UrlOpeningTest, OnlyWebAddressesAreOpened) {
    stub("xdg-open", "exit 0");
    for (const char* url : {"file:///etc/passwd", "--help", "javascript:alert(1)", ""}) {
        UrlOpening opening(url, "");
        EXPECT_TRUE(opening.finished()) << url;
        EXPECT_LE(opening.result(), 32) << url;
    }
    EXPECT_EQ(m_bin.read("xdg-open.args"), "") << "xdg-open never ran";
}

TEST(BrowserCommands, SplitAtColonsWithTheAddressInPlaceOfPercentS) {
    EXPECT_EQ(platform::browserCommands("firefox:chromium --incognito %s::w3m %%s", "http://a"),
              (Commands{{"firefox", "http://a"},
                        {"chromium", "--incognito", "http://a"},
                        {"w3m", "%s", "http://a"}}));
    EXPECT_TRUE(platform::browserCommands("", "http://a").empty());
    EXPECT_TRUE(platform::browserCommands(" : ", "http://a").empty());
}

} // namespace
