#include "TovakTestEnvironment.h"
#include "app/SettingsStore.h"
#include "support/LocalHttpServer.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <mutex>
#include <thread>

using testing_support::LocalHttpServer;

namespace {

// How long the hanging route holds its answer back: far longer than the
// library's one-second time-out, so an answer that took this long was
// waited for.
constexpr std::chrono::seconds kHang{60};

class QueryUrlTest : public testing_support::TovakLibraryTest {
protected:
    QueryUrlTest()
        : m_server([this](httplib::Server& server) {
              server.Get("/hello", [](const httplib::Request&, httplib::Response& response) {
                  response.set_content("hello, world", "text/plain");
              });
              server.Get("/empty", [](const httplib::Request&, httplib::Response& response) {
                  response.set_content("", "text/plain");
              });
              server.Get("/big", [](const httplib::Request&, httplib::Response& response) {
                  response.set_content(std::string(9 * 1024 * 1024, 'x'), "text/plain");
              });
              server.Get("/big-chunked", [](const httplib::Request&, httplib::Response& response) {
                  response.set_chunked_content_provider("text/plain",
                                                        [](size_t offset, httplib::DataSink& sink) {
                                                            std::string piece(64 * 1024, 'y');
                                                            sink.write(piece.data(), piece.size());
                                                            if (offset > 9 * 1024 * 1024) {
                                                                sink.done();
                                                            }
                                                            return true;
                                                        });
              });
              server.Get("/loop", [](const httplib::Request&, httplib::Response& response) {
                  response.set_redirect("/loop");
              });
              server.Get("/moved", [](const httplib::Request&, httplib::Response& response) {
                  response.set_redirect("/hello");
              });
              server.Get("/hang", [this](const httplib::Request&, httplib::Response& response) {
                  std::unique_lock<std::mutex> lock(m_hangMutex);
                  m_hangRelease.wait_for(lock, kHang, [this] { return m_bReleased; });
                  response.set_content("late", "text/plain");
              });
              server.Post("/echo",
                          [](const httplib::Request& request, httplib::Response& response) {
                              response.set_content("got " + request.body, "text/plain");
                          });
              server.Get(
                  "/thread", [](const httplib::Request& request, httplib::Response& response) {
                      response.set_content("answer " + request.get_param_value("n"), "text/plain");
                  });
          }) {
        m_query = exported<PFN_QueryUrl>("QueryUrl");
        m_response = exported<PFN_GetQueryUrlResponse>("GetQueryUrlResponse");
    }

    ~QueryUrlTest() override {
        {
            std::lock_guard<std::mutex> lock(m_hangMutex);
            m_bReleased = true;
        }
        m_hangRelease.notify_all();
        m_server.stop();
    }

    // Runs QueryUrl and fetches the held response; empty on failure.
    std::string fetch(const std::string& url, TOVAKERROR& error) {
        clearTovakError(&error);
        unsigned size = 12345;
        if (!m_query(url.c_str(), &size, &error)) {
            return "<failed>";
        }
        std::string body(size, '\0');
        EXPECT_TRUE(m_response(body.data(), size));
        return body;
    }

    std::mutex m_hangMutex;
    std::condition_variable m_hangRelease;
    bool m_bReleased = false;
    LocalHttpServer m_server;
    PFN_QueryUrl m_query = nullptr;
    PFN_GetQueryUrlResponse m_response = nullptr;
};

TEST_F(QueryUrlTest, FetchesTheBodyAndFollowsARedirect) {
    TOVAKERROR error;
    EXPECT_EQ(fetch(m_server.url("/hello"), error), "hello, world");
    EXPECT_EQ(error.code, 0u);
    EXPECT_EQ(fetch(m_server.url("/moved"), error), "hello, world");
}

TEST_F(QueryUrlTest, AnEmptyBodyIsASuccessOfSizeZero) {
    TOVAKERROR error;
    EXPECT_EQ(fetch(m_server.url("/empty"), error), "");
    EXPECT_EQ(error.code, 0u);
    char untouched = '#';
    EXPECT_TRUE(m_response(&untouched, 0));
    EXPECT_EQ(untouched, '#');
}

TEST_F(QueryUrlTest, ErrorStatusFillsTheRecordAndKeepsThePreviousResponse) {
    TOVAKERROR error;
    ASSERT_EQ(fetch(m_server.url("/hello"), error), "hello, world");
    EXPECT_EQ(fetch(m_server.url("/missing"), error), "<failed>");
    EXPECT_EQ(error.code, 3u);
    EXPECT_NE(std::strstr(error.message, "404"), nullptr) << error.message;
    char buffer[12];
    EXPECT_TRUE(m_response(buffer, sizeof(buffer)));
    EXPECT_EQ(std::string(buffer, 12), "hello, world");
}

TEST_F(QueryUrlTest, AResponseThatDoesNotFitIsNotReportedAsCopied) {
    TOVAKERROR error;
    ASSERT_EQ(fetch(m_server.url("/hello"), error), "hello, world");
    char buffer[5] = {};
    EXPECT_FALSE(m_response(buffer, sizeof(buffer)));
    EXPECT_FALSE(m_response(nullptr, 12));
}

TEST_F(QueryUrlTest, OversizedBodiesFailWhetherAnnouncedOrNot) {
    TOVAKERROR error;
    EXPECT_EQ(fetch(m_server.url("/big"), error), "<failed>");
    EXPECT_EQ(error.code, 3u);
    EXPECT_NE(std::strstr(error.message, "limit"), nullptr) << error.message;
    EXPECT_EQ(fetch(m_server.url("/big-chunked"), error), "<failed>");
    EXPECT_EQ(error.code, 3u);
    EXPECT_NE(std::strstr(error.message, "limit"), nullptr) << error.message;
}

TEST_F(QueryUrlTest, RejectsBadAddressesWithoutFetching) {
    TOVAKERROR error;
    EXPECT_EQ(fetch("file:///etc/passwd", error), "<failed>");
    EXPECT_EQ(error.code, 3u);
    EXPECT_EQ(fetch("", error), "<failed>");
    EXPECT_EQ(error.code, 5u);
    EXPECT_EQ(error.flags, 1u);
    clearTovakError(&error);
    EXPECT_FALSE(m_query(nullptr, nullptr, &error));
    EXPECT_FALSE(m_query("gopher://127.0.0.1/", nullptr, nullptr));
    EXPECT_EQ(fetch(m_server.url("/loop"), error), "<failed>");
    EXPECT_EQ(error.code, 3u);
}

TEST_F(QueryUrlTest, AHangingServerIsGivenUpOnAfterTheTimeout) {
    SettingsStore::SetInt("tovak", "queryTimeout", 1);
    TOVAKERROR error;
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(fetch(m_server.url("/hang"), error), "<failed>");
    auto took = std::chrono::steady_clock::now() - started;
    EXPECT_EQ(error.code, 3u);
    EXPECT_LT(took, kHang) << "the library gave up before the server answered";
}

TEST_F(QueryUrlTest, PostUrlSendsItsBodyAndHoldsTheAnswer) {
    auto post = exported<PFN_PostUrl>("PostUrl");
    TOVAKERROR error;
    clearTovakError(&error);
    unsigned size = 0;
    ASSERT_TRUE(post(m_server.url("/echo").c_str(), "a=1&b=2", &size, &error)) << error.message;
    std::string body(size, '\0');
    ASSERT_TRUE(m_response(body.data(), size));
    EXPECT_EQ(body, "got a=1&b=2");
}

TEST_F(QueryUrlTest, EachThreadGetsItsOwnResponse) {
    std::atomic<int> mismatches{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < 10; ++i) {
                std::string expected = "answer " + std::to_string(t * 100 + i);
                std::string url = m_server.url("/thread?n=" + std::to_string(t * 100 + i));
                unsigned size = 0;
                std::string body(64, '\0');
                if (!m_query(url.c_str(), &size, nullptr) || !m_response(body.data(), size) ||
                    body.substr(0, size) != expected) {
                    ++mismatches;
                }
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(mismatches.load(), 0);
}

} // namespace
