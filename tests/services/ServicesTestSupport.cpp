#include "ServicesTestSupport.h"

#include "support/WaitUntil.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

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

} // namespace services_test
