#include "support/LocalHttpServer.h"

#include <stdexcept>

namespace testing_support {

std::string LocalHttpServer::Request::header(const std::string& name) const {
    auto found = headers.find(name);
    return found == headers.end() ? std::string() : found->second;
}

LocalHttpServer::LocalHttpServer(const Routes& routes) {
    m_server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response&) {
        Request recorded{request.method, request.path, request.target, {}, request.headers};
        for (const auto& [key, value] : request.params) {
            recorded.params.emplace(key, value);
        }
        std::lock_guard lock(m_mutex);
        m_requests.push_back(std::move(recorded));
        return httplib::Server::HandlerResponse::Unhandled;
    });
    m_server.set_keep_alive_max_count(1);
    routes(m_server, *this);
    m_nPort = m_server.bind_to_any_port("127.0.0.1");
    if (m_nPort <= 0) {
        throw std::runtime_error("cannot bind a port on 127.0.0.1");
    }
    m_thread = std::thread([this] { m_server.listen_after_bind(); });
    while (!m_server.is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

LocalHttpServer::~LocalHttpServer() {
    m_bStopping = true;
    m_server.stop();
    m_thread.join();
}

std::string LocalHttpServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(m_nPort) + path;
}

std::vector<LocalHttpServer::Request> LocalHttpServer::requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::size_t LocalHttpServer::requestCount() const {
    std::lock_guard lock(m_mutex);
    return m_requests.size();
}

bool LocalHttpServer::sleepUnlessStopping(std::chrono::milliseconds duration) const {
    const auto deadline = std::chrono::steady_clock::now() + duration;
    while (!m_bStopping) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

} // namespace testing_support
