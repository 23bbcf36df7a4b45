#include "services/ServicesServer.h"

#include "services/NwsProvider.h"
#include "services/OpenMeteoProvider.h"
#include "services/SimulatedProvider.h"
#include "services/UrlText.h"
#include "services/UtcText.h"
#include "services/WebPages.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <httplib.h>
#include <iostream>
#include <mutex>

namespace {

constexpr const char* kXmlType = "application/xml; charset=utf-8";

thread_local std::chrono::steady_clock::time_point t_requestStart;

std::int64_t systemSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::string bounded(const std::string& text) {
    return text.substr(0, 256);
}

} // namespace

std::unique_ptr<WeatherProvider> makeWeatherProvider(const ServerConfig& config) {
    if (config.provider == "nws") {
        return std::make_unique<NwsProvider>(UpstreamClient(config.nwsBase, config.nwsUserAgent,
                                                            config.upstreamTimeoutMs,
                                                            config.upstreamMaxBytes));
    }
    if (config.provider == "open-meteo") {
        return std::make_unique<OpenMeteoProvider>(
            UpstreamClient(config.openMeteoBase, config.nwsUserAgent, config.upstreamTimeoutMs,
                           config.upstreamMaxBytes));
    }
    return std::make_unique<SimulatedProvider>();
}

std::string searchTextFromTarget(const std::string& target) {
    const std::optional<std::string> raw = rawQueryValue(target, "where");
    std::string text;
    // A malformed escape becomes text that the search rejects as invalid.
    return !raw || urlDecode(*raw, text, true) ? text : std::string("\x01");
}

ServicesServer::ServicesServer(ServerConfig config, Clock clock, LogSink log)
    : m_config(std::move(config)), m_clock(clock ? std::move(clock) : Clock(systemSeconds)),
      m_log(std::move(log)), m_packFiles(m_config.packsFolder), m_webFiles(m_config.webFolder),
      m_server(std::make_unique<httplib::Server>()) {}

ServicesServer::~ServicesServer() {
    stop();
}

bool ServicesServer::start(std::string& error) {
    if (!validateServerConfig(m_config, error) ||
        !m_gazetteer.load(m_config.gazetteerPath, error)) {
        return false;
    }
    if (!m_config.pingDatabase.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(
            std::filesystem::path(m_config.pingDatabase).parent_path(), ignored);
    }
    if (!m_pings.open(m_config.pingDatabase, error)) {
        return false;
    }
    m_search = std::make_unique<LocationSearch>(m_gazetteer);
    ObservationService::Settings settings{m_config.cycle, m_config.previousCycle, m_config.checkKey,
                                          m_config.cacheSeconds, m_config.staleSeconds};
    m_observations = std::make_unique<ObservationService>(
        m_gazetteer, makeWeatherProvider(m_config), settings, m_clock);
    const int threads = m_config.threads;
    m_server->new_task_queue = [threads] {
        return new httplib::ThreadPool(static_cast<size_t>(threads));
    };
    // Only SO_REUSEADDR: with SO_REUSEPORT a second server would quietly
    // share the port instead of failing to start.
    m_server->set_socket_options([](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    });
    // Headers and body go out in separate writes; without this a kept-alive
    // connection waits for the peer's delayed acknowledgement every answer.
    m_server->set_tcp_nodelay(true);
    if (m_config.port == 0) {
        m_nPort = m_server->bind_to_any_port(m_config.bindAddress);
    } else if (m_server->bind_to_port(m_config.bindAddress, m_config.port)) {
        m_nPort = m_config.port;
    } else {
        m_nPort = -1;
    }
    if (m_nPort <= 0) {
        error = "cannot listen on " + m_config.bindAddress + ":" + std::to_string(m_config.port);
        return false;
    }
    ServerConfig effective = m_config;
    effective.port = m_nPort;
    m_catalogue = std::make_unique<Catalogue>(m_config.packsFolder, m_config.catalogueFile,
                                              effective.effectivePublicBase());
    addRoutes();
    return true;
}

void ServicesServer::run() {
    m_server->listen_after_bind();
}

void ServicesServer::stop() {
    if (m_server) {
        m_server->stop();
    }
}

void ServicesServer::logRequest(const httplib::Request& request,
                                const httplib::Response& response) const {
    const auto elapsed = std::chrono::steady_clock::now() - t_requestStart;
    char ms[32];
    std::snprintf(ms, sizeof ms, "%.2fms",
                  std::chrono::duration<double, std::milli>(elapsed).count());
    const std::string line = utcStamp(m_clock()) + " " + request.remote_addr + " \"" +
                             request.method + " " + bounded(request.target) + "\" " +
                             std::to_string(response.status) + " " +
                             std::to_string(response.body.size()) + " " + ms;
    if (m_log) {
        m_log(line);
        return;
    }
    static std::mutex mutex;
    std::lock_guard lock(mutex);
    std::cerr << line << '\n';
}

void ServicesServer::addRoutes() {
    auto& server = *m_server;
    server.set_pre_routing_handler([](const httplib::Request&, httplib::Response&) {
        t_requestStart = std::chrono::steady_clock::now();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.set_logger([this](const httplib::Request& request, const httplib::Response& response) {
        logRequest(request, response);
    });
    server.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (response.body.empty()) {
            response.set_content(std::to_string(response.status) + "\n", "text/plain");
        }
    });
    server.Get(R"(/wxdata/obs/([^/]+)\.xml)", [this](const httplib::Request& request,
                                                     httplib::Response& response) {
        const auto answer =
            m_observations->answer(request.matches[1].str(), request.get_param_value("key"));
        response.status = answer.status;
        response.set_content(answer.body, answer.status == 200 ? kXmlType : "text/plain");
        response.set_header("Cache-Control", "no-store");
    });
    server.Get("/search/search",
               [this](const httplib::Request& request, httplib::Response& response) {
                   handleSearch(request, response);
               });
    server.Get("/services/plexa/screensaver/ssconfig.xml",
               [this](const httplib::Request&, httplib::Response& response) {
                   response.set_content(m_catalogue->document(m_config.cycle), kXmlType);
                   response.set_header("Cache-Control", "no-store");
               });
    server.Get("/services/ssaver/ss1xusagetrack.html",
               [this](const httplib::Request& request, httplib::Response& response) {
                   handlePing(request, response, "usage");
               });
    server.Get(R"(/27/([^/]+))",
               [this](const httplib::Request& request, httplib::Response& response) {
                   handlePing(request, response, request.matches[1].str());
               });
    server.Get("/pings/report.html", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content(pingReportPage(m_pings.countsByDay(), m_pings.recent(20)),
                             "text/html; charset=utf-8");
    });
    server.Get(R"(/packs/(.+))",
               [this](const httplib::Request& request, httplib::Response& response) {
                   handleStatic(m_packFiles, request.matches[1].str(), response);
               });
    server.Get(R"(/web/([^/]+))",
               [this](const httplib::Request& request, httplib::Response& response) {
                   handleStatic(m_webFiles, request.matches[1].str(), response);
               });
    for (const auto& [path, file] : webPageRoutes()) {
        const std::string page = file;
        server.Get(path, [this, page](const httplib::Request&, httplib::Response& response) {
            handleStatic(m_webFiles, page, response);
        });
    }
}

void ServicesServer::handleSearch(const httplib::Request& request,
                                  httplib::Response& response) const {
    response.set_content(m_search->answer(searchTextFromTarget(request.target)), kXmlType);
    response.set_header("Cache-Control", "no-store");
}

void ServicesServer::handlePing(const httplib::Request& request, httplib::Response& response,
                                const std::string& code) {
    Ping ping{m_clock(),
              bounded(code),
              bounded(request.get_param_value("id")),
              bounded(request.get_param_value("cobrand")),
              bounded(request.get_param_value("skin")),
              request.remote_addr};
    if (!m_pings.record(ping)) {
        std::cerr << "pings: could not record a ping of code " << ping.code << '\n';
    }
    response.set_content("<html><body>OK</body></html>\n", "text/html");
    response.set_header("Cache-Control", "no-store");
}

void ServicesServer::handleStatic(const StaticFiles& files, const std::string& relative,
                                  httplib::Response& response) const {
    std::string path;
    auto in = std::make_shared<std::ifstream>();
    std::error_code error;
    std::uintmax_t size = 0;
    if (files.resolve(relative, path)) {
        in->open(path, std::ios::binary);
        size = std::filesystem::file_size(path, error);
    }
    if (!in->is_open() || !*in || error) {
        response.status = 404;
        response.set_content("not found\n", "text/plain");
        return;
    }
    // Streamed: installers and packs can be large.
    response.set_content_provider(
        static_cast<size_t>(size), StaticFiles::contentType(path).c_str(),
        [in](size_t offset, size_t length, httplib::DataSink& sink) {
            char buffer[65536];
            in->seekg(static_cast<std::streamoff>(offset));
            in->read(buffer, static_cast<std::streamsize>(std::min(length, sizeof buffer)));
            const auto got = in->gcount();
            if (got <= 0) {
                return false;
            }
            sink.write(buffer, static_cast<size_t>(got));
            return true;
        });
}
