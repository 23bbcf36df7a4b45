#include "app/TovakInterface.h"

#include "app/SettingsStore.h"
#include "platform/DebugOutput.h"
#include "platform/MessageBox.h"
#include "support/LocalHttpServer.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

using testing_support::LocalHttpServer;
using testing_support::ScopedEnvironment;
using testing_support::TempFolder;

namespace {

struct ShownBox {
    std::string title;
    std::string text;
};

// Private settings, recorded message boxes and debug output.
class TovakInterfaceTest : public ::testing::Test {
protected:
    TovakInterfaceTest()
        : m_dataHomeVariable("NIMBORA_DATA_HOME", m_dataHome.path()),
          m_loggingVariable("NIMBORA_LOGGING", std::nullopt) {
        m_previousHandler = platform::setMessageBoxHandler(
            [this](const std::string& title, const std::string& text) {
                m_boxes.push_back({title, text});
            });
        platform::setDebugSink([this](std::string_view text) { m_csDebug += text; });
    }
    ~TovakInterfaceTest() override {
        platform::setDebugSink({});
        platform::setMessageBoxHandler(m_previousHandler);
    }

    static std::string variantFolder(const std::string& name) {
        return std::string(TOVAK_VARIANTS_FOLDER) + "/" + name + "/";
    }

    std::vector<std::string> logLines() const {
        std::ifstream in(m_dataHome.path() + "Nimbora/Screensaver/screensaver.log");
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    TempFolder m_dataHome;
    ScopedEnvironment m_dataHomeVariable;
    ScopedEnvironment m_loggingVariable;
    platform::MessageBoxHandler m_previousHandler;
    std::vector<ShownBox> m_boxes;
    std::string m_csDebug;
};

TEST_F(TovakInterfaceTest, LoadsTheLibraryQuietlyAndSaysSoOnTheDebugOutput) {
    TovakInterface tovak("ScreenSaver", TOVAK_LIBRARY_FOLDER);
    EXPECT_TRUE(tovak.isLoaded());
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(m_csDebug, std::string("\nLoaded ") + TOVAK_LIBRARY_FOLDER +
                             "libtovak.so with smashing success.\n\n");
}

TEST_F(TovakInterfaceTest, AMissingLibraryNamesThePathTriedAndEverythingAnswersNo) {
    TempFolder empty;
    SettingsStore::SetInt("tovak", "logging", 1);
    TovakInterface tovak("ScreenSaver", empty.path());
    std::string expected = "\n\nUnable to load library libtovak.so. Attempted to load " +
                           empty.path() + "libtovak.so. Err code: 2";
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].title, "Error");
    EXPECT_EQ(m_boxes[0].text, expected);
    EXPECT_EQ(m_csDebug.rfind(expected + ", ", 0), 0u) << m_csDebug;
    EXPECT_GT(m_csDebug.size(), expected.size() + 4);
    EXPECT_EQ(m_csDebug.substr(m_csDebug.size() - 2), "\n\n");

    EXPECT_FALSE(tovak.isLoaded());
    EXPECT_FALSE(tovak.isLogging());
    EXPECT_FALSE(tovak.connectedToInternet());
    tovak.logMessage("nowhere");
    TOVAKERROR error;
    clearTovakError(&error);
    EXPECT_EQ(tovak.queryUrl("http://127.0.0.1:1/", &error), "");
    EXPECT_EQ(error.code, 2u);
    EXPECT_STREQ(error.message, "The TOVAK DLL was not loaded");
    EXPECT_TRUE(logLines().empty());
}

TEST_F(TovakInterfaceTest, MissingExportsAreListedInBindingOrderAndTheLibraryStays) {
    SettingsStore::SetInt("tovak", "logging", 1);
    TovakInterface tovak("ScreenSaver", variantFolder("no-posturl-logmessage"));
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].title, "Error");
    EXPECT_EQ(m_boxes[0].text, "Unable to load function(s)  PostUrl logMessage");
    EXPECT_TRUE(tovak.isLoaded());
    EXPECT_TRUE(tovak.isLogging());
    tovak.logMessage("goes nowhere without the export");
    EXPECT_TRUE(logLines().empty());
}

TEST_F(TovakInterfaceTest, AnOperationWhoseExportIsMissingAnswersAsWithoutTheLibrary) {
    SettingsStore::SetInt("tovak", "logging", 1);
    LocalHttpServer server([](httplib::Server& s) {
        s.Get("/ok", [](const httplib::Request&, httplib::Response& r) {
            r.set_content("fine", "text/plain");
        });
    });
    SettingsStore::SetString("services", "configuration", server.url());
    for (const char* variant : {"no-queryurl", "no-getqueryurlresponse"}) {
        TovakInterface tovak("ScreenSaver", variantFolder(variant));
        TOVAKERROR error;
        clearTovakError(&error);
        EXPECT_EQ(tovak.queryUrl(server.url("/ok"), &error), "") << variant;
        EXPECT_EQ(error.code, 2u) << variant;
        EXPECT_TRUE(tovak.connectedToInternet()) << variant;
    }
    TovakInterface noProbe("ScreenSaver", variantFolder("no-connectedtointernet"));
    EXPECT_FALSE(noProbe.connectedToInternet());
    TOVAKERROR error;
    clearTovakError(&error);
    EXPECT_EQ(noProbe.queryUrl(server.url("/ok"), &error), "fine");
    TovakInterface noLoggingAnswer("ScreenSaver", variantFolder("no-islogging"));
    EXPECT_FALSE(noLoggingAnswer.isLogging());
    noLoggingAnswer.logMessage("not written");
    EXPECT_TRUE(logLines().empty());
    EXPECT_EQ(m_boxes.size(), 4u);
}

TEST_F(TovakInterfaceTest, QueryUrlReturnsTheBodyOrTheLibrarysError) {
    LocalHttpServer server([](httplib::Server& s) {
        s.Get("/doc", [](const httplib::Request&, httplib::Response& r) {
            r.set_content("<doc/>", "text/xml");
        });
        s.Get("/empty", [](const httplib::Request&, httplib::Response& r) {
            r.set_content("", "text/plain");
        });
    });
    TovakInterface tovak("ScreenSaver", TOVAK_LIBRARY_FOLDER);
    TOVAKERROR error;
    clearTovakError(&error);
    EXPECT_EQ(tovak.queryUrl(server.url("/doc"), &error), "<doc/>");
    EXPECT_EQ(tovak.queryUrl(server.url("/empty"), &error), "");
    EXPECT_EQ(error.code, 0u);
    EXPECT_EQ(tovak.queryUrl(server.url("/nothing-here"), &error), "");
    EXPECT_EQ(error.code, 3u);
    EXPECT_NE(std::string(error.message).find("404"), std::string::npos);
}

TEST_F(TovakInterfaceTest, AResponseThatCannotBeFetchedIsAFailureNotAnEmptySuccess) {
    TovakInterface tovak("ScreenSaver", UNREADABLE_TOVAK_FOLDER);
    ASSERT_TRUE(tovak.isLoaded());
    TOVAKERROR error;
    clearTovakError(&error);
    EXPECT_EQ(tovak.queryUrl("http://127.0.0.1:1/", &error), "");
    EXPECT_EQ(error.code, 3u);
}

TEST_F(TovakInterfaceTest, TheLoggingAnswerIsFixedAtItsFirstQuestion) {
    TovakInterface tovak("ScreenSaver", TOVAK_LIBRARY_FOLDER);
    EXPECT_FALSE(tovak.isLogging());
    SettingsStore::SetInt("tovak", "logging", 1);
    EXPECT_FALSE(tovak.isLogging());
    tovak.logMessage("not while logging was off at the start");
    EXPECT_TRUE(logLines().empty());

    TovakInterface nextRun("ScreenSaver", TOVAK_LIBRARY_FOLDER);
    EXPECT_TRUE(nextRun.isLogging());
    SettingsStore::SetInt("tovak", "logging", 0);
    EXPECT_TRUE(nextRun.isLogging());
}

TEST_F(TovakInterfaceTest, LinesCarryTheApplicationNameAndStayWholeAcrossThreads) {
    SettingsStore::SetInt("tovak", "logging", 1);
    TovakInterface tovak("ScreenSaver", TOVAK_LIBRARY_FOLDER);
    ASSERT_TRUE(tovak.isLogging()); // asked on this thread first, as at start-up
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&tovak, t] {
            for (int i = 0; i < 100; ++i) {
                tovak.logMessage("CDrawWnd::Draw() - thread " + std::to_string(t) + " step " +
                                 std::to_string(i));
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 400u);
    std::regex whole(R"(.{23} ScreenSaver: CDrawWnd::Draw\(\) - thread \d step \d+)");
    for (const std::string& line : lines) {
        EXPECT_TRUE(std::regex_match(line, whole)) << line;
    }
}

TEST_F(TovakInterfaceTest, AnUnnamedApplicationIsNamedSoInTheLog) {
    SettingsStore::SetInt("tovak", "logging", 1);
    TovakInterface unnamed(nullptr, TOVAK_LIBRARY_FOLDER);
    unnamed.logMessage("one");
    TovakInterface empty("", TOVAK_LIBRARY_FOLDER);
    empty.logMessage("two");
    std::vector<std::string> lines = logLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(24), "<appName not defined>: one");
    EXPECT_EQ(lines[1].substr(24), "<appName not defined>: two");
}

TEST_F(TovakInterfaceTest, ConnectedIsAskedAnewOnEveryCall) {
    auto server = std::make_unique<LocalHttpServer>([](httplib::Server&) {});
    SettingsStore::SetString("services", "configuration", server->url());
    TovakInterface tovak("ScreenSaver", TOVAK_LIBRARY_FOLDER);
    EXPECT_TRUE(tovak.connectedToInternet());
    std::string closed = server->url("/other");
    server.reset();
    SettingsStore::SetString("services", "configuration", closed);
    EXPECT_FALSE(tovak.connectedToInternet());
}

} // namespace
