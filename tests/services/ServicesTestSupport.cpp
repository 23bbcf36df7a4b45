#include "ServicesTestSupport.h"

#include "platform/PollPause.h"
#include "support/WaitUntil.h"

#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <poll.h>
#include <sstream>
#include <stdexcept>
#include <sys/socket.h>

namespace services_test {

std::string dataFile(const std::string& name) {
    return std::string(NIMBORA_SERVICES_TEST_DATA) + "/" + name;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

Answer get(int port, const std::string& target) {
    httplib::Client client("127.0.0.1", port);
    client.set_url_encode(false);
    client.set_read_timeout(10, 0);
    auto result = client.Get(target);
    if (!result) {
        return {};
    }
    return {result->status, result->body, result->get_header_value("Content-Type")};
}

RawClient::RawClient(int port) : m_fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (!m_fd ||
        ::connect(m_fd.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        throw std::runtime_error("cannot connect to port " + std::to_string(port));
    }
}

bool RawClient::send(const std::string& bytes) {
    return !m_bClosed && ::send(m_fd.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
                             static_cast<ssize_t>(bytes.size());
}

bool RawClient::readUntilClosed(std::chrono::milliseconds bound) {
    const auto end = std::chrono::steady_clock::now() + bound;
    char buffer[4096];
    while (!m_bClosed) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        pollfd p{m_fd.get(), POLLIN, 0};
        if (::poll(&p, 1, static_cast<int>(std::max<std::int64_t>(left.count(), 0))) <= 0) {
            return false; // nothing more within the bound
        }
        const ssize_t got = ::recv(m_fd.get(), buffer, sizeof buffer, 0);
        if (got > 0) {
            m_received.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0 || errno != EINTR) {
            m_bClosed = true;
        }
    }
    return true;
}

bool RawClient::open() {
    readUntilClosed(std::chrono::milliseconds(0));
    return !m_bClosed;
}

int RawClient::status() const {
    return m_received.compare(0, 9, "HTTP/1.1 ") == 0 ? std::atoi(m_received.c_str() + 9) : 0;
}

FakeUpstream::FakeUpstream()
    : m_server([this](httplib::Server& server) {
          server.Get(R"(.*)", [this](const httplib::Request& request, httplib::Response& response) {
              std::lock_guard lock(m_mutex);
              const auto found = m_bodies.find(request.path);
              if (m_failing || found == m_bodies.end()) {
                  response.status = m_failing ? 500 : 404;
                  return;
              }
              response.set_content(found->second, "application/geo+json");
          });
      }) {}

void FakeUpstream::answer(const std::string& path, const std::string& body) {
    std::lock_guard lock(m_mutex);
    m_bodies[path] = body;
}

std::vector<std::string> FakeUpstream::requests() const {
    std::vector<std::string> paths;
    for (const auto& request : m_server.requests()) {
        paths.push_back(request.csPath);
    }
    return paths;
}

std::string FakeUpstream::lastUserAgent() const {
    const auto requests = m_server.requests();
    return requests.empty() ? std::string() : requests.back().header("User-Agent");
}

RunningServer::RunningServer(const std::function<void(ServerConfig&)>& adjust) {
    ServerConfig config;
    config.port = 0;
    config.threads = 4;
    config.gazetteerPath = dataFile("US-sample.txt");
    config.packsFolder = m_folder.file("packs");
    config.catalogueFile = m_folder.file("catalogue.ini");
    config.webFolder = NIMBORA_SERVICES_WEB;
    config.pingDatabase = m_folder.file("db/pings.sqlite");
    config.cycle = "cycle-B";
    config.previousCycle = "cycle-A";
    std::filesystem::create_directories(config.packsFolder);
    if (adjust) {
        adjust(config);
    }
    m_server = std::make_unique<ServicesServer>(
        config, [this] { return m_now.load(); },
        [this](const std::string& line) {
            std::lock_guard lock(m_mutex);
            m_log.push_back(line);
        },
        [this] {
            const std::int64_t frozen = m_frozenMicros.load();
            return frozen >= 0 ? frozen
                               : std::chrono::duration_cast<std::chrono::microseconds>(
                                     std::chrono::steady_clock::now().time_since_epoch())
                                     .count();
        });
    std::string error;
    if (!m_server->start(error)) {
        throw std::runtime_error("server did not start: " + error);
    }
    m_port = m_server->port();
    m_thread = std::thread([this] { m_server->run(); });
    // Wait until it answers.
    testing_support::waitUntil([this] { return get("/index.html").status != 0; });
}

RunningServer::~RunningServer() {
    m_server->stop();
    m_thread.join();
}

std::vector<std::string> RunningServer::logLines() const {
    std::lock_guard lock(m_mutex);
    return m_log;
}

std::string RunningServer::waitForLogLine(const std::vector<std::string>& fragments) const {
    platform::PollPause pause(std::chrono::steady_clock::now() + std::chrono::seconds(30));
    do {
        for (const auto& line : logLines()) {
            if (std::all_of(fragments.begin(), fragments.end(), [&line](const std::string& text) {
                    return line.find(text) != std::string::npos;
                })) {
                return line;
            }
        }
    } while (pause.sleep());
    return {};
}

} // namespace services_test
