#pragma once

#include "services/ConnectionWatch.h"
#include "services/HttpRequest.h"
#include "services/HttpResponse.h"
#include "services/WorkerPool.h"

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

struct MHD_Daemon;
struct MHD_Connection;

// What the daemon asks of the services.
class HttpHandler {
public:
    virtual ~HttpHandler() = default;
    // Answers when that takes no waiting; false leaves the request to
    // answerSlowly() on a worker thread.
    virtual bool answerAtOnce(const HttpRequest& request, HttpResponse& response) = 0;
    virtual void answerSlowly(const HttpRequest& request, HttpResponse& response) = 0;
};

struct HttpDaemonSettings {
    std::string bindAddress = "127.0.0.1";
    int port = 0;      // 0: any free port
    int ioThreads = 0; // threads serving connections; 0: one per processor
    int workerThreads = 8;
    int maxConnections = 8192;
    int listenBacklog = 1024;
    int headerTimeoutSeconds = 10;
    int idleTimeoutSeconds = 30;
};

// The HTTP side of the services, on libmicrohttpd: a few threads serve every
// connection from epoll, so a slow or idle client costs a descriptor and a
// little memory but never a thread. Work that may wait runs on a bounded
// worker pool while its connection is suspended. Requests with a body are
// refused with 413 as soon as their headers are in (no route takes one),
// headers must arrive within the header time-out, and each request leaves
// one log line with its own client address and duration.
class HttpDaemon {
public:
    using LogSink = std::function<void(const std::string& line)>;
    using WallClock = std::function<std::int64_t()>; // seconds since 1970 UTC
    using Stopwatch = std::function<std::int64_t()>; // microseconds, monotonic

    // Requests waiting for a worker beyond this many are answered 503.
    static constexpr std::size_t kMaxQueuedJobs = 1024;
    // Memory of one connection for its request headers and buffers: headers
    // beyond about 15 KiB are refused.
    static constexpr std::size_t kConnectionMemory = 16 * 1024;

    HttpDaemon(HttpHandler& handler, LogSink log, WallClock clock, Stopwatch stopwatch);
    ~HttpDaemon();
    HttpDaemon(const HttpDaemon&) = delete;
    HttpDaemon& operator=(const HttpDaemon&) = delete;

    // Binds the port; nothing is served before serve(). False with a message.
    bool listen(const HttpDaemonSettings& settings, std::string& error);
    int port() const { return m_nPort; }
    // Starts serving on the threads of the library. False with a message.
    bool serve(std::string& error);
    // Finishes the work in hand and closes every connection. Idempotent.
    void stop();

    struct Exchange;

private:
    friend struct HttpDaemonCallbacks; // libmicrohttpd's C callbacks

    void prepare(Exchange& exchange);
    void handOver(MHD_Connection* connection, Exchange& exchange);
    void logEnded(MHD_Connection* connection, const Exchange& exchange, int reason) const;
    void sweepUntilStopped();
    std::int64_t nowMs() const { return m_stopwatch() / 1000; }

    HttpHandler& m_handler;
    LogSink m_log;
    WallClock m_clock;
    Stopwatch m_stopwatch;
    std::unique_ptr<ConnectionWatch> m_watch;
    std::unique_ptr<WorkerPool> m_workers;
    HttpDaemonSettings m_settings;
    int m_nListener = -1; // until serve() hands it to the library
    bool m_bIpv6 = false;
    int m_nConnections = 0;
    MHD_Daemon* m_daemon = nullptr;
    int m_nPort = 0;

    std::mutex m_stopMutex;
    std::condition_variable m_stopped;
    bool m_bStopping = false;
    std::thread m_sweeper;
};
