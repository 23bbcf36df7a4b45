#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
}

// An HTTP server on 127.0.0.1 with an ephemeral port that answers every GET
// with 200 and keeps what it was asked, in order.
class RecordingServer {
public:
    struct Request {
        std::string target; // path and query as sent
        std::string path;
        std::string userAgent;
        std::string referer;
        std::string cacheControl;
        std::string pragma;
    };

    RecordingServer();
    ~RecordingServer();
    RecordingServer(const RecordingServer&) = delete;
    RecordingServer& operator=(const RecordingServer&) = delete;

    // "http://127.0.0.1:<port>"
    std::string base() const;
    std::vector<Request> requests() const;
    // The requests whose path starts with prefix.
    std::vector<Request> requestsUnder(const std::string& prefix) const;
    void clear();

private:
    std::unique_ptr<httplib::Server> m_pServer;
    std::thread m_thread;
    int m_nPort = 0;
    mutable std::mutex m_mutex;
    std::vector<Request> m_requests;
};

// The tracking code of a ping path "/27/<code>", or empty for other paths.
std::string trackingCode(const RecordingServer::Request& request);
