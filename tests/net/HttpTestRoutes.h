#pragma once

#include "net/HttpLimits.h"
#include "support/LocalHttpServer.h"

#include <chrono>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <thread>

namespace net_tests {

// Short limits so that the misbehaving routes fail within a second or two.
inline HttpLimits shortLimits() {
    HttpLimits limits;
    limits.nConnectTimeoutMs = 1000;
    limits.nDocumentTimeoutMs = 1200;
    limits.nDownloadTimeoutMs = 1200;
    limits.nStallBytesPerSecond = 0;
    limits.nMaxDocumentBytes = 64 * 1024;
    limits.nMaxDownloadBytes = 256 * 1024;
    limits.nMaxRedirects = 3;
    return limits;
}

// How long /hang holds its answer back: far beyond the short limits, so a
// request that took this long was not given up on.
constexpr long kHangMs = 60000;

// Routes shared by the HTTP tests: plain statuses, odd bodies, redirects and
// servers that stall or never stop sending.
void addTestRoutes(httplib::Server& server, const testing_support::LocalHttpServer* owner);

class HttpTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string url(const std::string& path) const { return m_server->url(path); }
    testing_support::LocalHttpServer& server() { return *m_server; }

    static long elapsedMs(std::chrono::steady_clock::time_point since) {
        return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                     std::chrono::steady_clock::now() - since)
                                     .count());
    }

private:
    HttpLimits m_savedLimits;
    std::unique_ptr<testing_support::LocalHttpServer> m_server;
};

// Answers every connection on 127.0.0.1 with fixed bytes, HTTP or not.
class RawReplyServer {
public:
    explicit RawReplyServer(std::string reply);
    ~RawReplyServer();
    RawReplyServer(const RawReplyServer&) = delete;
    RawReplyServer& operator=(const RawReplyServer&) = delete;
    std::string url() const { return "http://127.0.0.1:" + std::to_string(m_nPort) + "/"; }

private:
    int m_nListener = -1;
    int m_nPort = 0;
    std::thread m_thread;
};

} // namespace net_tests
