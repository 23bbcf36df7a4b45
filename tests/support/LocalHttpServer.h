#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <httplib.h>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

// An HTTP server on 127.0.0.1 with a port the system picks, serving the
// routes a test registers, in a thread of its own. It records every request
// it receives. Handlers that stall should wait with sleepUnlessStopping() so
// that the server can shut down promptly.
class LocalHttpServer {
public:
    struct Request {
        std::string csMethod;
        std::string csPath;
        std::string csTarget; // path and query as sent
        std::multimap<std::string, std::string> params;
        httplib::Headers headers;
        std::string header(const std::string& name) const;
    };

    // routes registers the handlers on the server before it starts listening;
    // it receives this object too, for handlers that stall.
    using Routes = std::function<void(httplib::Server&, const LocalHttpServer&)>;
    explicit LocalHttpServer(const Routes& routes);
    // For routes that never stall.
    explicit LocalHttpServer(const std::function<void(httplib::Server&)>& routes);
    ~LocalHttpServer();
    LocalHttpServer(const LocalHttpServer&) = delete;
    LocalHttpServer& operator=(const LocalHttpServer&) = delete;

    int port() const { return m_nPort; }
    // "http://127.0.0.1:<port>" followed by path.
    std::string url(const std::string& path = "") const;
    // Stops serving; later calls, and the destructor, do nothing more.
    void stop();

    std::vector<Request> requests() const;
    std::size_t requestCount() const;
    // Forgets the requests recorded so far.
    void clearRequests();

    // Sleeps for at most duration; false when the server began stopping.
    bool sleepUnlessStopping(std::chrono::milliseconds duration) const;
    bool stopping() const { return m_bStopping; }

private:
    httplib::Server m_server;
    std::thread m_thread;
    int m_nPort = -1;
    std::atomic<bool> m_bStopping{false};
    mutable std::mutex m_mutex;
    std::vector<Request> m_requests;
};

// A port on 127.0.0.1 that refuses every connection until the test program
// ends: it stays bound, so no other program can take it meanwhile, but
// nothing listens on it.
int closedLoopbackPort();

} // namespace testing_support
