#pragma once

#include "platform/UniqueFd.h"
#include "services/ServicesServer.h"
#include "support/LocalHttpServer.h"
#include "support/TempFolder.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <httplib.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace services_test {

std::string dataFile(const std::string& name);
std::string readFile(const std::string& path);

struct Answer {
    int status = 0; // 0: no answer at all
    std::string body;
    std::string contentType;
};

// GET exactly the given path and query (sent as it stands) from 127.0.0.1.
Answer get(int port, const std::string& target);

// A plain TCP client for what HTTP client libraries will not send: headers
// that trickle in, bodies announced and never sent.
class RawClient {
public:
    explicit RawClient(int port);
    // False once the connection is gone.
    bool send(const std::string& bytes);
    // Reads until the server closes the connection, at most for bound; true
    // when it closed.
    bool readUntilClosed(std::chrono::milliseconds bound = std::chrono::seconds(30));
    // True while the server has not closed the connection.
    bool open();
    const std::string& received() const { return m_received; }
    int status() const; // of the answer received, 0 without one

private:
    UniqueFd m_fd;
    std::string m_received;
    bool m_bClosed = false;
};

// A local stand-in for a weather service: answers recorded bodies by path
// (query ignored), or 500 for everything while failing is set.
class FakeUpstream {
public:
    FakeUpstream();
    void answer(const std::string& path, const std::string& body);
    void setFailing(bool failing) { m_failing = failing; }
    std::string base() const { return m_server.url(); }
    // The paths asked for, in order.
    std::vector<std::string> requests() const;
    std::string lastUserAgent() const;

private:
    std::atomic<bool> m_failing{false};
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_bodies;
    // Last, so that it stops before the bodies it serves go away.
    testing_support::LocalHttpServer m_server;
};

// A server on an ephemeral port over the sample gazetteer and a temporary
// packs folder, with a clock the test moves.
class RunningServer {
public:
    // adjust: changes to the configuration before the start.
    explicit RunningServer(const std::function<void(ServerConfig&)>& adjust = {});
    ~RunningServer();

    Answer get(const std::string& target) const { return services_test::get(m_port, target); }
    int port() const { return m_port; }
    ServicesServer& server() { return *m_server; }
    const testing_support::TempFolder& folder() const { return m_folder; }
    void advance(std::int64_t seconds) { m_now += seconds; }
    // Stops the clock of the requests' durations at micros (microseconds).
    void freezeStopwatch(std::int64_t micros) { m_frozenMicros = micros; }
    std::vector<std::string> logLines() const;
    // The first log line holding every one of fragments, waiting for it at
    // most 30 s (lines are written once an answer went out); empty if none.
    std::string waitForLogLine(const std::vector<std::string>& fragments) const;

    static constexpr std::int64_t kStart = 1700000000; // 2023-11-14 22:13:20 UTC

private:
    testing_support::TempFolder m_folder;
    std::atomic<std::int64_t> m_now{kStart};
    std::atomic<std::int64_t> m_frozenMicros{-1}; // negative: the steady clock
    mutable std::mutex m_mutex;
    std::vector<std::string> m_log;
    std::unique_ptr<ServicesServer> m_server;
    std::thread m_thread;
    int m_port = 0;
};

} // namespace services_test
