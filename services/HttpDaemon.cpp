#include "services/HttpDaemon.h"

#include "services/UtcText.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <microhttpd.h>
#include <netdb.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Descriptors kept free beyond the connections: listener, epoll sets, the
// ping database, files being sent, upstream requests.
constexpr rlim_t kSpareDescriptors = 256;
constexpr std::size_t kLoggedTargetLength = 256;

std::string addressText(const sockaddr* address) {
    char text[INET6_ADDRSTRLEN] = "";
    if (address == nullptr) {
        return {};
    }
    if (address->sa_family == AF_INET) {
        inet_ntop(AF_INET, &reinterpret_cast<const sockaddr_in*>(address)->sin_addr, text,
                  sizeof text);
    } else if (address->sa_family == AF_INET6) {
        inet_ntop(AF_INET6, &reinterpret_cast<const sockaddr_in6*>(address)->sin6_addr, text,
                  sizeof text);
    }
    return text;
}

// The target as the log shows it: bounded, and with control bytes and
// quotes escaped so that a request cannot forge or break a log line.
std::string loggedTarget(const std::string& target) {
    std::string out;
    for (unsigned char c : target.substr(0, kLoggedTargetLength)) {
        if (c < 0x20 || c == 0x7F || c == '"') {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

bool announcesBody(MHD_Connection* connection) {
    if (MHD_lookup_connection_value(connection, MHD_HEADER_KIND,
                                    MHD_HTTP_HEADER_TRANSFER_ENCODING) != nullptr) {
        return true;
    }
    const char* length =
        MHD_lookup_connection_value(connection, MHD_HEADER_KIND, MHD_HTTP_HEADER_CONTENT_LENGTH);
    return length != nullptr && std::strspn(length, "0") != std::strlen(length);
}

const char* endReason(int reason, bool cut) {
    if (cut) {
        return "header timeout";
    }
    switch (reason) {
    case MHD_REQUEST_TERMINATED_TIMEOUT_REACHED:
        return "idle timeout";
    case MHD_REQUEST_TERMINATED_DAEMON_SHUTDOWN:
        return "server stopping";
    case MHD_REQUEST_TERMINATED_READ_ERROR:
    case MHD_REQUEST_TERMINATED_CLIENT_ABORT:
        return "client closed";
    default:
        return "refused";
    }
}

// Lets the soft descriptor limit grow towards the hard one so that the
// connection limit can be honoured; returns the connections that fit.
int connectionsThatFit(int wanted) {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0) {
        return wanted;
    }
    const rlim_t needed = static_cast<rlim_t>(wanted) + kSpareDescriptors;
    if (limit.rlim_cur < needed) {
        limit.rlim_cur = std::min(needed, limit.rlim_max);
        setrlimit(RLIMIT_NOFILE, &limit);
        getrlimit(RLIMIT_NOFILE, &limit);
    }
    if (limit.rlim_cur >= needed) {
        return wanted;
    }
    const auto fit = limit.rlim_cur > 2 * kSpareDescriptors ? limit.rlim_cur - kSpareDescriptors
                                                            : limit.rlim_cur / 2;
    std::cerr << "nimbora-services: " << limit.rlim_cur << " file descriptors allowed: at most "
              << fit << " connections\n";
    return static_cast<int>(fit);
}

// The listening socket, bound and listening with the given backlog; only
// SO_REUSEADDR, so that a second server fails instead of sharing the port.
int listenOn(const HttpDaemonSettings& settings, bool& ipv6, std::string& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_PASSIVE | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(settings.port);
    const std::string where = settings.bindAddress + ":" + service;
    const int lookup = getaddrinfo(settings.bindAddress.c_str(), service.c_str(), &hints, &found);
    if (lookup != 0 || found == nullptr) {
        error = "cannot listen on " + where + ": " + gai_strerror(lookup);
        return -1;
    }
    std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> owner(found, freeaddrinfo);
    const int fd = ::socket(found->ai_family, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    int yes = 1;
    if (fd < 0 || setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes) != 0 ||
        ::bind(fd, found->ai_addr, found->ai_addrlen) != 0 ||
        ::listen(fd, settings.listenBacklog) != 0) {
        error = "cannot listen on " + where + ": " + std::strerror(errno);
        if (fd >= 0) {
            ::close(fd);
        }
        return -1;
    }
    ipv6 = found->ai_family == AF_INET6;
    return fd;
}

int boundPort(int fd) {
    sockaddr_storage address{};
    socklen_t length = sizeof address;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return -1;
    }
    return address.ss_family == AF_INET6
               ? ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port)
               : ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
}

} // namespace

// One request from its request line to its end.
struct HttpDaemon::Exchange {
    enum class Stage { Arrived, ForWorker, Working, Ready };
    std::int64_t startMicros = 0;
    ConnectionWatch::Entry* watch = nullptr;
    HttpRequest request;
    HttpResponse response;
    std::atomic<Stage> stage{Stage::Arrived};
    bool queued = false;
};

struct HttpDaemonCallbacks {
    static void* requestStarted(void* self, const char* uri, MHD_Connection* connection) {
        auto& daemon = *static_cast<HttpDaemon*>(self);
        auto exchange = std::make_unique<HttpDaemon::Exchange>();
        exchange->startMicros = daemon.m_stopwatch();
        exchange->request.target = uri != nullptr ? uri : "";
        const auto* client =
            MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CLIENT_ADDRESS);
        exchange->request.remoteAddress = client != nullptr ? addressText(client->client_addr) : "";
        const auto* socket =
            MHD_get_connection_info(connection, MHD_CONNECTION_INFO_SOCKET_CONTEXT);
        exchange->watch = socket != nullptr
                              ? static_cast<ConnectionWatch::Entry*>(socket->socket_context)
                              : nullptr;
        return exchange.release();
    }

    static void requestEnded(void* self, MHD_Connection* connection, void** context,
                             MHD_RequestTerminationCode reason) {
        std::unique_ptr<HttpDaemon::Exchange> exchange(
            static_cast<HttpDaemon::Exchange*>(*context));
        *context = nullptr;
        if (!exchange) {
            return;
        }
        auto& daemon = *static_cast<HttpDaemon*>(self);
        daemon.logEnded(connection, *exchange, reason);
        if (exchange->watch != nullptr && reason == MHD_REQUEST_TERMINATED_COMPLETED_OK) {
            exchange->watch->answered(daemon.nowMs());
        }
    }

    static void connectionChanged(void* self, MHD_Connection* connection, void** context,
                                  MHD_ConnectionNotificationCode change) {
        auto& daemon = *static_cast<HttpDaemon*>(self);
        if (change == MHD_CONNECTION_NOTIFY_STARTED) {
            const auto* fd = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_CONNECTION_FD);
            *context =
                fd != nullptr ? daemon.m_watch->opened(fd->connect_fd, daemon.nowMs()) : nullptr;
        } else if (*context != nullptr) {
            daemon.m_watch->closed(static_cast<ConnectionWatch::Entry*>(*context));
            *context = nullptr;
        }
    }

    static MHD_Result access(void* self, MHD_Connection* connection, const char* /*url*/,
                             const char* method, const char* /*version*/, const char* /*data*/,
                             std::size_t* size, void** context) {
        auto& daemon = *static_cast<HttpDaemon*>(self);
        auto* exchange = static_cast<HttpDaemon::Exchange*>(*context);
        if (exchange == nullptr) {
            return MHD_NO; // every request has one from its request line
        }
        switch (exchange->stage.load()) {
        case HttpDaemon::Exchange::Stage::Arrived:
            exchange->request.method = method;
            if (exchange->watch != nullptr) {
                exchange->watch->requestArrived();
            }
            if (announcesBody(connection)) {
                // Answered before the body is read; the library then closes
                // the connection instead of taking the body in.
                exchange->response.setStatus(413, "413 no request here takes a body\n");
                return queue(connection, *exchange);
            }
            daemon.prepare(*exchange);
            return MHD_YES; // answered on the next call, which keeps the connection alive
        case HttpDaemon::Exchange::Stage::ForWorker:
            daemon.handOver(connection, *exchange);
            return MHD_YES;
        case HttpDaemon::Exchange::Stage::Working:
            return MHD_YES;
        case HttpDaemon::Exchange::Stage::Ready:
            *size = 0;
            return exchange->queued ? MHD_YES : queue(connection, *exchange);
        }
        return MHD_NO;
    }

    static MHD_Result queue(MHD_Connection* connection, HttpDaemon::Exchange& exchange) {
        HttpResponse& answer = exchange.response;
        MHD_Response* response = nullptr;
        if (answer.file) {
            const int fd = ::dup(answer.file.get()); // the library closes its copy
            response = fd >= 0 ? MHD_create_response_from_fd64(answer.fileSize, fd) : nullptr;
        } else {
            response = MHD_create_response_from_buffer(answer.body.size(), answer.body.data(),
                                                       MHD_RESPMEM_MUST_COPY);
        }
        if (response == nullptr) {
            return MHD_NO;
        }
        MHD_add_response_header(response, MHD_HTTP_HEADER_CONTENT_TYPE, answer.contentType.c_str());
        for (const auto& [name, value] : answer.headers) {
            MHD_add_response_header(response, name.c_str(), value.c_str());
        }
        const MHD_Result queued =
            MHD_queue_response(connection, static_cast<unsigned>(answer.status), response);
        MHD_destroy_response(response);
        exchange.queued = queued == MHD_YES;
        return queued;
    }
};

HttpDaemon::HttpDaemon(HttpHandler& handler, LogSink log, WallClock clock, Stopwatch stopwatch)
    : m_handler(handler), m_log(std::move(log)), m_clock(std::move(clock)),
      m_stopwatch(std::move(stopwatch)) {}

HttpDaemon::~HttpDaemon() {
    stop();
    if (m_nListener >= 0) {
        ::close(m_nListener);
    }
}

bool HttpDaemon::listen(const HttpDaemonSettings& settings, std::string& error) {
    m_settings = settings;
    m_nConnections = connectionsThatFit(settings.maxConnections);
    bool ipv6 = false;
    m_nListener = listenOn(settings, ipv6, error);
    if (m_nListener < 0) {
        return false;
    }
    m_bIpv6 = ipv6;
    m_nPort = boundPort(m_nListener);
    return true;
}

bool HttpDaemon::serve(std::string& error) {
    m_watch = std::make_unique<ConnectionWatch>(m_settings.headerTimeoutSeconds * 1000LL,
                                                static_cast<std::size_t>(m_nConnections));
    m_workers = std::make_unique<WorkerPool>(static_cast<std::size_t>(m_settings.workerThreads),
                                             kMaxQueuedJobs);
    const unsigned ioThreads = m_settings.ioThreads > 0
                                   ? static_cast<unsigned>(m_settings.ioThreads)
                                   : std::max(1u, std::thread::hardware_concurrency());
    unsigned flags = MHD_USE_EPOLL_INTERNAL_THREAD | MHD_ALLOW_SUSPEND_RESUME;
    if (m_bIpv6) {
        flags |= MHD_USE_IPv6;
    }
    m_daemon = MHD_start_daemon(
        flags, 0, nullptr, nullptr, &HttpDaemonCallbacks::access, this, MHD_OPTION_LISTEN_SOCKET,
        m_nListener, MHD_OPTION_THREAD_POOL_SIZE, ioThreads, MHD_OPTION_CONNECTION_LIMIT,
        static_cast<unsigned>(m_nConnections), MHD_OPTION_CONNECTION_TIMEOUT,
        static_cast<unsigned>(m_settings.idleTimeoutSeconds), MHD_OPTION_CONNECTION_MEMORY_LIMIT,
        kConnectionMemory, MHD_OPTION_URI_LOG_CALLBACK, &HttpDaemonCallbacks::requestStarted, this,
        MHD_OPTION_NOTIFY_COMPLETED, &HttpDaemonCallbacks::requestEnded, this,
        MHD_OPTION_NOTIFY_CONNECTION, &HttpDaemonCallbacks::connectionChanged, this,
        MHD_OPTION_END);
    if (m_daemon == nullptr) {
        m_workers->stop();
        error = "cannot serve on " + m_settings.bindAddress + ":" + std::to_string(m_nPort);
        return false;
    }
    m_nListener = -1; // the library's now
    m_sweeper = std::thread([this] { sweepUntilStopped(); });
    return true;
}

void HttpDaemon::stop() {
    {
        std::lock_guard lock(m_stopMutex);
        if (m_bStopping || m_daemon == nullptr) {
            return;
        }
        m_bStopping = true;
    }
    m_stopped.notify_all();
    m_sweeper.join();
    // Every suspended connection is resumed by its job before the daemon goes.
    m_workers->stop();
    MHD_stop_daemon(m_daemon);
    m_daemon = nullptr;
}

void HttpDaemon::sweepUntilStopped() {
    std::unique_lock lock(m_stopMutex);
    while (
        !m_stopped.wait_for(lock, std::chrono::milliseconds(100), [this] { return m_bStopping; })) {
        lock.unlock();
        m_watch->sweep(nowMs());
        lock.lock();
    }
}

void HttpDaemon::prepare(Exchange& exchange) {
    HttpRequest& request = exchange.request;
    HttpResponse& response = exchange.response;
    exchange.stage = Exchange::Stage::Ready;
    if (request.method != MHD_HTTP_METHOD_GET && request.method != MHD_HTTP_METHOD_HEAD) {
        response.setStatus(405, "405 only GET and HEAD are answered here\n");
        response.headers.emplace_back("Allow", "GET, HEAD");
        return;
    }
    if (!parseRequestTarget(request.target, request)) {
        response.setStatus(400, "400 bad request target\n");
        return;
    }
    try {
        if (!m_handler.answerAtOnce(request, response)) {
            exchange.stage = Exchange::Stage::ForWorker;
        }
    } catch (const std::exception&) {
        response = HttpResponse();
        response.setStatus(500, "500\n");
    }
}

void HttpDaemon::handOver(MHD_Connection* connection, Exchange& exchange) {
    // Suspended before the job can run, since the job resumes it.
    exchange.stage = Exchange::Stage::Working;
    MHD_suspend_connection(connection);
    const bool posted = m_workers->post([this, connection, &exchange] {
        try {
            m_handler.answerSlowly(exchange.request, exchange.response);
        } catch (const std::exception&) {
            exchange.response = HttpResponse();
            exchange.response.setStatus(500, "500\n");
        }
        exchange.stage = Exchange::Stage::Ready;
        MHD_resume_connection(connection);
    });
    if (!posted) {
        exchange.response.setStatus(503, "503 busy, try again later\n");
        exchange.stage = Exchange::Stage::Ready;
        MHD_resume_connection(connection);
    }
}

void HttpDaemon::logEnded(MHD_Connection* connection, const Exchange& exchange, int reason) const {
    const auto* status = MHD_get_connection_info(connection, MHD_CONNECTION_INFO_HTTP_STATUS);
    const double ms = static_cast<double>(m_stopwatch() - exchange.startMicros) / 1000.0;
    char duration[32];
    std::snprintf(duration, sizeof duration, "%.2fms", ms);
    const std::string& method = exchange.request.method;
    std::string line =
        utcStamp(m_clock()) + " " + exchange.request.remoteAddress + " \"" +
        (method.empty() ? "-" : method) + " " + loggedTarget(exchange.request.target) + "\" " +
        (status != nullptr ? std::to_string(status->http_status) : "-") + " " +
        (exchange.queued ? std::to_string(exchange.response.bodySize()) : "-") + " " + duration;
    const bool cut = exchange.watch != nullptr && exchange.watch->cut();
    if (reason != MHD_REQUEST_TERMINATED_COMPLETED_OK || cut) {
        line += std::string(" ") + endReason(reason, cut);
    }
    m_log(line);
}
