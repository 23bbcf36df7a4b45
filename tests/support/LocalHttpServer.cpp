#include "support/LocalHttpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

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
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!m_server.is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

LocalHttpServer::LocalHttpServer(const std::function<void(httplib::Server&)>& routes)
    : LocalHttpServer(
          [&routes](httplib::Server& server, const LocalHttpServer&) { routes(server); }) {}

LocalHttpServer::~LocalHttpServer() {
    stop();
}

void LocalHttpServer::stop() {
    m_bStopping = true;
    if (m_thread.joinable()) {
        m_server.stop();
        m_thread.join();
    }
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

void LocalHttpServer::clearRequests() {
    std::lock_guard lock(m_mutex);
    m_requests.clear();
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

int closedLoopbackPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof(address);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        throw std::runtime_error("cannot bind a loopback port");
    }
    // The socket is never closed: released, its port could go to a server
    // of a test running beside this one.
    return ntohs(address.sin_port);
}

} // namespace testing_support
