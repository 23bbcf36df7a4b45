#include "HttpTestRoutes.h"
#include "net/InternetServices.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace net_tests {
namespace {

using testing_support::ScopedEnvironment;
using testing_support::TempFolder;

std::size_t filesIn(const std::string& folder) {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) {
        ++count;
    }
    return count;
}

class QueryUrlTest : public HttpTest {
protected:
    TempFolder m_temporary;
    ScopedEnvironment m_tmpdir{"TMPDIR", m_temporary.path()};
};

TEST_F(QueryUrlTest, FetchesThroughATemporaryFileAndRemovesIt) {
    InternetServices services;
    ASSERT_TRUE(services.QueryUrl(url("/doc.xml").c_str()));
    EXPECT_EQ(services.getResponse(), "<observation><temp>54</temp></observation>");
    EXPECT_EQ(filesIn(m_temporary.path()), 0u);

    InternetServices empty;
    EXPECT_TRUE(empty.QueryUrl(url("/empty").c_str()));
    EXPECT_EQ(empty.getResponse(), "");
}

TEST_F(QueryUrlTest, TheFileRouteEndsTheTextAtTheFirstNul) {
    InternetServices services;
    ASSERT_TRUE(services.QueryUrl(url("/nul").c_str()));
    EXPECT_EQ(services.getResponse(), "abc");
}

TEST_F(QueryUrlTest, AFailedDownloadNamesTheUrl) {
    InternetServices services;
    const std::string missing = url("/status/404");
    EXPECT_FALSE(services.QueryUrl(missing.c_str()));
    EXPECT_EQ(services.getErrorText(),
              "Failed at downloadFileFromURL() where URL = '" + missing + "'");
    EXPECT_EQ(services.getResponse(), "");
    EXPECT_EQ(filesIn(m_temporary.path()), 0u);

    InternetServices hanging;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(hanging.QueryUrl(url("/hang").c_str()));
    EXPECT_LT(elapsedMs(start), kHangMs) << "the client gave up before the server answered";
    EXPECT_FALSE(hanging.QueryUrl(url("/endless").c_str()));
}

TEST_F(QueryUrlTest, AnUnreadableTemporaryFileNamesItsPath) {
    // No lock can be taken when the runtime folder cannot be made.
    ScopedEnvironment runtime("XDG_RUNTIME_DIR", m_temporary.file("missing/deeper"));
    InternetServices services;
    EXPECT_FALSE(services.QueryUrl(url("/doc.xml").c_str()));
    const std::string prefix = "Failed to read from file ('" + m_temporary.path();
    EXPECT_EQ(services.getErrorText().rfind(prefix, 0), 0u) << services.getErrorText();
    EXPECT_EQ(services.getErrorText().back(), ')');
    EXPECT_EQ(services.getResponse(), "");
}

TEST_F(QueryUrlTest, ANullUrlTouchesNothing) {
    InternetServices services;
    EXPECT_FALSE(services.QueryUrl(nullptr));
    EXPECT_EQ(services.getErrorText(), "");
    EXPECT_EQ(server().requestCount(), 0u);
}

TEST_F(QueryUrlTest, OneFailureSendsEveryLaterFetchDirect) {
    InternetServices first;
    EXPECT_TRUE(fetchDocument(first, url("/nul")));
    EXPECT_EQ(first.getResponse(), "abc"); // through the file
    EXPECT_FALSE(g_bUseDirectQuery);

    InternetServices failing;
    EXPECT_FALSE(fetchDocument(failing, url("/status/503")));
    EXPECT_TRUE(g_bUseDirectQuery);
    EXPECT_EQ(server().requestCount(), 3u); // file route, then direct
    EXPECT_EQ(failing.getErrorText().rfind("HTTP Status = 503 Service Unavailable", 0), 0u);

    InternetServices later;
    EXPECT_TRUE(fetchDocument(later, url("/nul")));
    EXPECT_EQ(later.getResponse(), "abcghi"); // direct
    InternetServices otherService;
    EXPECT_FALSE(fetchDocument(otherService, url("/status/404")));
    EXPECT_EQ(server().requestCount(), 5u);
    EXPECT_TRUE(g_bUseDirectQuery);
}

} // namespace
} // namespace net_tests
