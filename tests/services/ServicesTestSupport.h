#pragma once

#include "services/ServicesServer.h"
#include "support/LocalHttpServer.h"
#include "support/TempFolder.h"

#include <atomic>
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
    std::vector<std::string> logLines() const;

    static constexpr std::int64_t kStart = 1700000000; // 2023-11-14 22:13:20 UTC

private:
    testing_support::TempFolder m_folder;
    std::atomic<std::int64_t> m_now{kStart};
    mutable std::mutex m_mutex;
    std::vector<std::string> m_log;
    std::unique_ptr<ServicesServer> m_server;
    std::thread m_thread;
    int m_port = 0;
};

} // namespace services_test
