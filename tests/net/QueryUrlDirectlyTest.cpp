#include "HttpTestRoutes.h"
#include "app/ServiceAddresses.h"
#include "app/SettingsStore.h"
#include "net/InternetServices.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace net_tests {
namespace {

using Clock = std::chrono::steady_clock;

class QueryUrlDirectlyTest : public HttpTest {};

TEST_F(QueryUrlDirectlyTest, ReturnsTheBodyOfASuccessfulResponse) {
    InternetServices services;
    ASSERT_TRUE(services.QueryUrlDirectly(url("/doc.xml")));
    EXPECT_EQ(services.getResponse(), "<observation><temp>54</temp></observation>");
    EXPECT_EQ(services.getErrorText(), "");

    InternetServices edge;
    EXPECT_TRUE(edge.QueryUrlDirectly(url("/status/299")));
    EXPECT_EQ(edge.getResponse(), "body of 299");

    InternetServices empty;
    EXPECT_TRUE(empty.QueryUrlDirectly(url("/empty")));
    EXPECT_EQ(empty.getResponse(), "");
}

TEST_F(QueryUrlDirectlyTest, StatusesFromThreeHundredUpFailWithTheirText) {
    InternetServices notFound;
    EXPECT_FALSE(notFound.QueryUrlDirectly(url("/status/404")));
    EXPECT_EQ(notFound.getErrorText(),
              "HTTP Status = 404 Not Found - object not found; The server has not found anything "
              "matching the Request-URI.");
    EXPECT_EQ(notFound.getResponse(), "");

    InternetServices badGateway;
    EXPECT_FALSE(badGateway.QueryUrlDirectly(url("/status/502")));
    EXPECT_EQ(badGateway.getErrorText(),
              "HTTP Status = 502Bad Gateway - error response received from gateway");

    InternetServices teapot;
    EXPECT_FALSE(teapot.QueryUrlDirectly(url("/status/418")));
    EXPECT_EQ(teapot.getErrorText(), "HTTP Status = 418<value not mapped>");

    InternetServices multiple;
    EXPECT_FALSE(multiple.QueryUrlDirectly(url("/status/300")));
    EXPECT_EQ(multiple.getErrorText(),
              "HTTP Status = 300 Multiple Choices - server couldn't decide what to return");
}

TEST_F(QueryUrlDirectlyTest, ANulByteEndsOnlyItsOwnChunk) {
    InternetServices services;
    ASSERT_TRUE(services.QueryUrlDirectly(url("/nul")));
    EXPECT_EQ(services.getResponse(), "abcghi");
}

TEST_F(QueryUrlDirectlyTest, SendsTheAgentRefererAndNoCacheHeaders) {
    testing_support::TempFolder dataHome;
    testing_support::ScopedEnvironment home("NIMBORA_DATA_HOME", dataHome.path());
    SettingsStore::SetString(kServicesSubsection, "configuration", "http://config.test:9/");
    InternetServices services;
    ASSERT_TRUE(services.QueryUrlDirectly(url("/doc.xml")));
    ASSERT_EQ(server().requestCount(), 1u);
    const auto request = server().requests().front();
    EXPECT_EQ(request.header("User-Agent"),
              "Mozilla/4.0 (compatible; MSIE 5.0; Windows NT; DigExt)");
    EXPECT_EQ(request.header("Referer"), "http://config.test:9");
    EXPECT_EQ(request.header("Cache-Control"), "no-cache");
}

TEST_F(QueryUrlDirectlyTest, UnreachableOrMalformedUrlsCannotBeOpened) {
    const std::string refused =
        "http://127.0.0.1:" + std::to_string(testing_support::closedLoopbackPort()) + "/x";
    InternetServices services;
    EXPECT_FALSE(services.QueryUrlDirectly(refused));
    EXPECT_EQ(services.getErrorText(), "Failed to open URL " + refused);

    for (const std::string bad : {"not a url", "file:///etc/hostname", "ftp://127.0.0.1/x"}) {
        InternetServices malformed;
        EXPECT_FALSE(malformed.QueryUrlDirectly(bad));
        EXPECT_EQ(malformed.getErrorText(), "Failed to open URL " + bad);
    }
}

TEST_F(QueryUrlDirectlyTest, AnAnswerWithoutAStatusFailsWithoutText) {
    for (const char* reply : {"garbage\r\n\r\n", "HTTP/1.1 abc OK\r\n\r\n"}) {
        RawReplyServer raw(reply);
        InternetServices services;
        EXPECT_FALSE(services.QueryUrlDirectly(raw.url())) << reply;
        EXPECT_EQ(services.getErrorText(), "") << reply;
        EXPECT_EQ(services.getResponse(), "") << reply;
    }
}

TEST_F(QueryUrlDirectlyTest, AnEmptyUrlTouchesNothing) {
    InternetServices services;
    ASSERT_FALSE(services.QueryUrlDirectly(url("/status/404")));
    const std::string error = services.getErrorText();
    EXPECT_FALSE(services.QueryUrlDirectly(""));
    EXPECT_EQ(services.getErrorText(), error);
    EXPECT_EQ(server().requestCount(), 1u);
}

TEST_F(QueryUrlDirectlyTest, RedirectsAreFollowedOnlyToTheWeb) {
    InternetServices followed;
    ASSERT_TRUE(followed.QueryUrlDirectly(url("/redirect/http")));
    EXPECT_EQ(followed.getResponse(), "<observation><temp>54</temp></observation>");

    InternetServices toFile;
    EXPECT_FALSE(toFile.QueryUrlDirectly(url("/redirect/file")));
    EXPECT_EQ(toFile.getResponse(), "");
    EXPECT_EQ(toFile.getErrorText().rfind("HTTP Status = 302 Found", 0), 0u);

    InternetServices loop;
    EXPECT_FALSE(loop.QueryUrlDirectly(url("/redirect/loop")));
    EXPECT_EQ(loop.getErrorText().rfind("HTTP Status = 302", 0), 0u);
    EXPECT_LE(server().requestCount(), 2u + 1u + shortLimits().nMaxRedirects + 1u);
}

TEST_F(QueryUrlDirectlyTest, MisbehavingServersFailWithinTheBounds) {
    const auto start = Clock::now();
    InternetServices hanging;
    EXPECT_FALSE(hanging.QueryUrlDirectly(url("/hang")));
    EXPECT_EQ(hanging.getErrorText(), "Failed to open URL " + url("/hang"));
    EXPECT_LT(elapsedMs(start), kHangMs) << "the client gave up before the server answered";

    InternetServices endless;
    EXPECT_FALSE(endless.QueryUrlDirectly(url("/endless")));
    EXPECT_EQ(endless.getErrorText().rfind("Failed to read the response from URL ", 0), 0u);
    EXPECT_LE(endless.getResponse().size(), shortLimits().nMaxDocumentBytes);

    InternetServices tooLarge;
    EXPECT_FALSE(tooLarge.QueryUrlDirectly(url("/large")));

    const auto trickleStart = Clock::now();
    InternetServices trickle;
    EXPECT_FALSE(trickle.QueryUrlDirectly(url("/trickle")));
    EXPECT_LT(elapsedMs(trickleStart), kHangMs) << "the trickle goes on until the server stops";

    InternetServices truncated;
    EXPECT_FALSE(truncated.QueryUrlDirectly(url("/truncated")));
    EXPECT_EQ(truncated.getErrorText().rfind("Failed to read the response from URL ", 0), 0u);
}

TEST(HttpStatusText, MapsTheKnownCodesWithTheirSeparator) {
    int mapped = 0;
    for (std::uint32_t code = 0; code < 1000; ++code) {
        const std::string text = InternetServices::mapHTTPStatusCode(code);
        if (text == "<value not mapped>") {
            continue;
        }
        ++mapped;
        EXPECT_EQ(text.front() == ' ', code != 502) << code;
        EXPECT_NE(text[1], ' ') << code;
    }
    EXPECT_EQ(mapped, 29);
    EXPECT_EQ(InternetServices::mapHTTPStatusCode(410),
              " Gone  - the resource is no longer available");
    EXPECT_EQ(InternetServices::mapHTTPStatusCode(306), "<value not mapped>");
    EXPECT_EQ(InternetServices::mapHTTPStatusCode(200), "<value not mapped>");
}

} // namespace
} // namespace net_tests
