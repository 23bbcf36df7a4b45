#include "RecordingServer.h"

#include <chrono>
#include <httplib.h>
#include <stdexcept>

RecordingServer::RecordingServer() : m_pServer(std::make_unique<httplib::Server>()) {
    m_pServer->Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
        Request seen;
        seen.target = request.target;
        seen.path = request.path;
        seen.userAgent = request.get_header_value("User-Agent");
        seen.referer = request.get_header_value("Referer");
        seen.cacheControl = request.get_header_value("Cache-Control");
        seen.pragma = request.get_header_value("Pragma");
        {
            const std::lock_guard<std::mutex> lock(m_mutex);
            m_requests.push_back(seen);
        }
        response.set_content("ok", "text/plain");
    });
    m_nPort = m_pServer->bind_to_any_port("127.0.0.1");
    if (m_nPort <= 0) {
        throw std::runtime_error("cannot bind a loopback port");
    }
    m_thread = std::thread([this] { m_pServer->listen_after_bind(); });
    for (int i = 0; i < 2000 && !m_pServer->is_running(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

RecordingServer::~RecordingServer() {
    m_pServer->stop();
    m_thread.join();
}

std::string RecordingServer::base() const {
    return "http://127.0.0.1:" + std::to_string(m_nPort);
}

std::vector<RecordingServer::Request> RecordingServer::requests() const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

std::vector<RecordingServer::Request>
RecordingServer::requestsUnder(const std::string& prefix) const {
    std::vector<Request> matching;
    for (const Request& request : requests()) {
        if (request.path.rfind(prefix, 0) == 0) {
            matching.push_back(request);
        }
    }
    return matching;
}

void RecordingServer::clear() {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.clear();
}

std::string trackingCode(const RecordingServer::Request& request) {
    const std::string prefix = "/27/";
    if (request.path.rfind(prefix, 0) != 0) {
        return "";
    }
    return request.path.substr(prefix.size());
}
