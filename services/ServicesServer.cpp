#include "services/ServicesServer.h"

#include "services/NwsProvider.h"
#include "services/OpenMeteoProvider.h"
#include "services/SimulatedProvider.h"
#include "services/UrlText.h"
#include "services/UtcText.h"
#include "services/WebPages.h"

#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kXmlType = "application/xml; charset=utf-8";

std::int64_t systemSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

std::int64_t steadyMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// One write per line, so that lines from several threads never interleave.
void writeToStandardError(const std::string& line) {
    const std::string text = line + "\n";
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = ::write(STDERR_FILENO, text.data() + done, text.size() - done);
        if (written <= 0) {
            return;
        }
        done += static_cast<std::size_t>(written);
    }
}

std::string bounded(const std::string& text) {
    return text.substr(0, 256);
}

enum class Route {
    Observation,
    Search,
    Catalogue,
    UsagePing,
    TrackingPing,
    PingReport,
    PackFile,
    WebFile,
    WebPage,
    None
};

// The part of path after prefix when it is not empty and, unless anyDepth,
// holds no further '/'.
bool tailAfter(const std::string& path, const std::string& prefix, bool anyDepth,
               std::string& tail) {
    if (path.size() <= prefix.size() || path.compare(0, prefix.size(), prefix) != 0) {
        return false;
    }
    tail = path.substr(prefix.size());
    return anyDepth || tail.find('/') == std::string::npos;
}

// Which handler answers path, and the part of the path it takes: the
// location id, the tracking code, a file's name.
Route routeOf(const std::string& path, std::string& tail) {
    if (tailAfter(path, "/wxdata/obs/", false, tail) && tail.size() > 4 && tail.ends_with(".xml")) {
        tail.resize(tail.size() - 4);
        return Route::Observation;
    }
    if (path == "/search/search") {
        return Route::Search;
    }
    if (path == "/services/plexa/screensaver/ssconfig.xml") {
        return Route::Catalogue;
    }
    if (path == "/services/ssaver/ss1xusagetrack.html") {
        return Route::UsagePing;
    }
    if (tailAfter(path, "/27/", false, tail)) {
        return Route::TrackingPing;
    }
    if (path == "/pings/report.html") {
        return Route::PingReport;
    }
    if (tailAfter(path, "/packs/", true, tail)) {
        return Route::PackFile;
    }
    if (tailAfter(path, "/web/", false, tail)) {
        return Route::WebFile;
    }
    for (const auto& [page, file] : webPageRoutes()) {
        if (path == page) {
            tail = file;
            return Route::WebPage;
        }
    }
    return Route::None;
}

void setObservation(const ObservationAnswer& answer, HttpResponse& response) {
    response.status = answer.status;
    response.setContent(answer.body, answer.status == 200 ? kXmlType : "text/plain");
    response.headers.emplace_back("Cache-Control", "no-store");
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

ServicesServer::ServicesServer(ServerConfig config, Clock clock, LogSink log, Stopwatch stopwatch)
    : m_config(std::move(config)), m_clock(clock ? std::move(clock) : Clock(systemSeconds)),
      m_log(log ? std::move(log) : LogSink(writeToStandardError)),
      m_packFiles(m_config.packsFolder), m_webFiles(m_config.webFolder),
      m_daemon(*this, m_log, m_clock,
               stopwatch ? std::move(stopwatch) : Stopwatch(steadyMicroseconds)) {}

ServicesServer::~ServicesServer() {
    stop();
}

bool ServicesServer::load(std::string& error) {
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
    makeCatalogue(m_config.port);
    return true;
}

void ServicesServer::makeCatalogue(int port) {
    ServerConfig effective = m_config;
    effective.port = port;
    m_catalogue = std::make_unique<Catalogue>(m_config.packsFolder, m_config.catalogueFile,
                                              effective.effectivePublicBase());
}

bool ServicesServer::start(std::string& error) {
    if (!load(error)) {
        return false;
    }
    HttpDaemonSettings settings;
    settings.bindAddress = m_config.bindAddress;
    settings.port = m_config.port;
    settings.ioThreads = m_config.ioThreads;
    settings.workerThreads = m_config.threads;
    settings.maxConnections = m_config.maxConnections;
    settings.listenBacklog = m_config.listenBacklog;
    settings.headerTimeoutSeconds = m_config.headerTimeoutSeconds;
    settings.idleTimeoutSeconds = m_config.idleTimeoutSeconds;
    if (!m_daemon.listen(settings, error)) {
        return false;
    }
    m_nPort = m_daemon.port();
    makeCatalogue(m_nPort); // its addresses name the port actually bound
    return m_daemon.serve(error);
}

void ServicesServer::run() {
    std::unique_lock lock(m_runMutex);
    m_stopped.wait(lock, [this] { return m_bStopped; });
}

void ServicesServer::stop() {
    m_daemon.stop();
    {
        std::lock_guard lock(m_runMutex);
        m_bStopped = true;
    }
    m_stopped.notify_all();
}

void ServicesServer::answer(const HttpRequest& request, HttpResponse& response) {
    if (!answerAtOnce(request, response)) {
        answerSlowly(request, response);
    }
}

bool ServicesServer::answerAtOnce(const HttpRequest& request, HttpResponse& response) {
    std::string tail;
    switch (routeOf(request.path, tail)) {
    case Route::Observation: {
        ObservationAnswer ready;
        if (!m_observations->answerIfReady(tail, request.parameterValue("key"), ready)) {
            return false;
        }
        setObservation(ready, response);
        return true;
    }
    case Route::Search:
        handleSearch(request, response);
        return true;
    case Route::Catalogue:
        response.setContent(m_catalogue->document(m_config.cycle), kXmlType);
        response.headers.emplace_back("Cache-Control", "no-store");
        return true;
    case Route::UsagePing:
    case Route::TrackingPing:
    case Route::PingReport:
        return false; // the database may keep them waiting
    case Route::PackFile:
        handleStatic(m_packFiles, tail, response);
        return true;
    case Route::WebFile:
    case Route::WebPage:
        handleStatic(m_webFiles, tail, response);
        return true;
    case Route::None:
        break;
    }
    response.setStatus(404, "404\n");
    return true;
}

void ServicesServer::answerSlowly(const HttpRequest& request, HttpResponse& response) {
    std::string tail;
    switch (routeOf(request.path, tail)) {
    case Route::Observation:
        setObservation(m_observations->answer(tail, request.parameterValue("key")), response);
        return;
    case Route::UsagePing:
        handlePing(request, response, "usage");
        return;
    case Route::TrackingPing:
        handlePing(request, response, tail);
        return;
    case Route::PingReport:
        response.setContent(pingReportPage(m_pings.countsByDay(), m_pings.recent(20)),
                            "text/html; charset=utf-8");
        return;
    default:
        answerAtOnce(request, response);
    }
}

void ServicesServer::handleSearch(const HttpRequest& request, HttpResponse& response) const {
    response.setContent(m_search->answer(searchTextFromTarget(request.target)), kXmlType);
    response.headers.emplace_back("Cache-Control", "no-store");
}

void ServicesServer::handlePing(const HttpRequest& request, HttpResponse& response,
                                const std::string& code) {
    Ping ping{m_clock(),
              bounded(code),
              bounded(request.parameterValue("id")),
              bounded(request.parameterValue("cobrand")),
              bounded(request.parameterValue("skin")),
              request.remoteAddress};
    bool wellFormed = true;
    for (const char* name : {"id", "cobrand", "skin"}) {
        const HttpRequest::Parameter* parameter = request.parameter(name);
        wellFormed = wellFormed && (parameter == nullptr || parameter->wellFormed);
    }
    response.headers.emplace_back("Cache-Control", "no-store");
    if (!wellFormed || !PingStore::storableText(ping.code) ||
        !PingStore::storableText(ping.installId) || !PingStore::storableText(ping.cobrand) ||
        !PingStore::storableText(ping.skin)) {
        response.setStatus(400, "400 ping parameters are text without control characters\n");
        return;
    }
    if (!m_pings.record(ping)) {
        std::cerr << "pings: could not record a ping of code " << ping.code << '\n';
    }
    response.setContent("<html><body>OK</body></html>\n", "text/html");
}

void ServicesServer::handleStatic(const StaticFiles& files, const std::string& relative,
                                  HttpResponse& response) const {
    std::string path;
    struct stat info {};
    UniqueFd file;
    if (files.resolve(relative, path)) {
        file = UniqueFd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    }
    if (!file || fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        response.setStatus(404, "not found\n");
        return;
    }
    // Sent from the file as it stands: installers and packs can be large.
    response.contentType = StaticFiles::contentType(path);
    response.file = std::move(file);
    response.fileSize = static_cast<std::uint64_t>(info.st_size);
}
