#pragma once

#include <functional>
#include <httplib.h>
#include <string>
#include <thread>

namespace testing_support {

// An HTTP server on 127.0.0.1 with an ephemeral port, serving the routes the
// test gives it on a thread of its own until it is destroyed.
class LocalHttpServer {
public:
    explicit LocalHttpServer(const std::function<void(httplib::Server&)>& routes);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return m_nPort; }
    // "http://127.0.0.1:<port>" + path.
    std::string url(const std::string& path = "") const;
    void stop();

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_nPort = -1;
};

// A port on 127.0.0.1 that nothing listens on (bound once, then released).
int closedLoopbackPort();

} // namespace testing_support
