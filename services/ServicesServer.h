#pragma once

#include "services/Catalogue.h"
#include "services/Gazetteer.h"
#include "services/HttpDaemon.h"
#include "services/LocationSearch.h"
#include "services/ObservationService.h"
#include "services/PingStore.h"
#include "services/ServerConfig.h"
#include "services/StaticFiles.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

// The one HTTP server of the program's web services: observations,
// location search, the pack catalogue and its files, pings and the pages
// the program's links open.
class ServicesServer : private HttpHandler {
public:
    using Clock = std::function<std::int64_t()>;
    using LogSink = std::function<void(const std::string& line)>;
    using Stopwatch = HttpDaemon::Stopwatch;

    // clock: seconds since 1970 UTC (the system clock when empty);
    // log: one line per request (standard error when empty);
    // stopwatch: microseconds of a monotonic clock, for the requests' durations.
    explicit ServicesServer(ServerConfig config, Clock clock = {}, LogSink log = {},
                            Stopwatch stopwatch = {});
    ~ServicesServer() override;
    ServicesServer(const ServicesServer&) = delete;
    ServicesServer& operator=(const ServicesServer&) = delete;

    // Loads the data (gazetteer, ping database). False with a message.
    bool load(std::string& error);
    // Loads the data, binds the port (0: any free port) and starts serving.
    // False with a message.
    bool start(std::string& error);
    int port() const { return m_nPort; }
    // Returns once stop() was called; call after a successful start().
    void run();
    void stop();

    // One request answered as the server answers it, without the network.
    void answer(const HttpRequest& request, HttpResponse& response);

    ObservationService& observations() { return *m_observations; }
    const PingStore& pings() const { return m_pings; }

private:
    bool answerAtOnce(const HttpRequest& request, HttpResponse& response) override;
    void answerSlowly(const HttpRequest& request, HttpResponse& response) override;
    void handleSearch(const HttpRequest& request, HttpResponse& response) const;
    void handlePing(const HttpRequest& request, HttpResponse& response, const std::string& code);
    void handleStatic(const StaticFiles& files, const std::string& relative,
                      HttpResponse& response) const;
    void makeCatalogue(int port);

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
    HttpDaemon m_daemon;
    int m_nPort = 0;

    std::mutex m_runMutex;
    std::condition_variable m_stopped;
    bool m_bStopped = false;
};

// The provider the configuration names.
std::unique_ptr<WeatherProvider> makeWeatherProvider(const ServerConfig& config);

// The decoded "where" text of a search request. The program percent-encodes
// it; an '&' that an older client left unescaped inside a city name is kept.
std::string searchTextFromTarget(const std::string& target);
