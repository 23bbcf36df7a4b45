#pragma once

#include "services/Catalogue.h"
#include "services/Gazetteer.h"
#include "services/LocationSearch.h"
#include "services/ObservationService.h"
#include "services/PingStore.h"
#include "services/ServerConfig.h"
#include "services/StaticFiles.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace httplib {
class Server;
struct Request;
struct Response;
} // namespace httplib

// The one HTTP server of the program's web services: observations,
// location search, the pack catalogue and its files, pings and the pages
// the program's links open.
class ServicesServer {
public:
    using Clock = std::function<std::int64_t()>;
    using LogSink = std::function<void(const std::string& line)>;

    // clock: seconds since 1970 UTC (the system clock when empty);
    // log: one line per request (standard error when empty).
    explicit ServicesServer(ServerConfig config, Clock clock = {}, LogSink log = {});
    ~ServicesServer();
    ServicesServer(const ServicesServer&) = delete;
    ServicesServer& operator=(const ServicesServer&) = delete;

    // Loads the data and binds the port (0: any free port). False with a message.
    bool start(std::string& error);
    int port() const { return m_nPort; }
    // Serves until stop(); call after a successful start().
    void run();
    void stop();

    ObservationService& observations() { return *m_observations; }
    const PingStore& pings() const { return m_pings; }

private:
    void addRoutes();
    void handleSearch(const httplib::Request& request, httplib::Response& response) const;
    void handlePing(const httplib::Request& request, httplib::Response& response,
                    const std::string& code);
    void handleStatic(const StaticFiles& files, const std::string& relative,
                      httplib::Response& response) const;
    void logRequest(const httplib::Request& request, const httplib::Response& response) const;

    ServerConfig m_config;
    Clock m_clock;
    LogSink m_log;
    Gazetteer m_gazetteer;
    std::unique_ptr<LocationSearch> m_search;
    std::unique_ptr<ObservationService> m_observations;
    std::unique_ptr<Catalogue> m_catalogue;
    PingStore m_pings;
    StaticFiles m_packFiles;
    StaticFiles m_webFiles;
    std::unique_ptr<httplib::Server> m_server;
    int m_nPort = 0;
};

// The provider the configuration names.
std::unique_ptr<WeatherProvider> makeWeatherProvider(const ServerConfig& config);

// The decoded "where" text of a search request. The program percent-encodes
// it; an '&' that an older client left unescaped inside a city name is kept.
std::string searchTextFromTarget(const std::string& target);
