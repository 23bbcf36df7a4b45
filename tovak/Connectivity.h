#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace tovak {

// The host and port a service address ("http://host:port/...") points at.
struct ServiceEndpoint {
    std::string host;
    std::string port;
};
// False for an address that is not http or https or has no host.
bool parseServiceEndpoint(const std::string& url, ServiceEndpoint& endpoint);

// Answers whether a service address accepts TCP connections. A probe runs on
// a worker thread and takes at most about kProbeBudget once the name is
// resolved; the caller waits at most kCallerWait for it, so a slow name
// lookup cannot hold the caller. An answer is reused for kCacheFor.
class ReachabilityProbe {
public:
    static constexpr std::chrono::milliseconds kProbeBudget{400};
    static constexpr std::chrono::milliseconds kCallerWait{450};
    static constexpr std::chrono::milliseconds kCacheFor{5000};

    ReachabilityProbe() = default;
    ReachabilityProbe(const ReachabilityProbe&) = delete;
    ReachabilityProbe& operator=(const ReachabilityProbe&) = delete;
    // Waits for a probe still running, so its thread never outlives us.
    ~ReachabilityProbe();

    // False also when the probe did not finish in time.
    bool isReachable(const std::string& url);

private:
    using SteadyClock = std::chrono::steady_clock;

    bool freshAnswerFor(const std::string& url, SteadyClock::time_point now) const;
    void startProbe(const std::string& url);

    std::mutex m_mutex;
    std::condition_variable m_finished;
    std::thread m_worker;
    bool m_bProbing = false;
    bool m_bHaveAnswer = false;
    bool m_bAnswer = false;
    std::string m_csAnsweredUrl;
    SteadyClock::time_point m_answeredAt;
};

// One TCP connection attempt to the endpoint of url within budget.
bool probeEndpoint(const std::string& url, std::chrono::milliseconds budget);

// Reachability of the configuration service of the settings.
bool configurationServiceReachable();

} // namespace tovak
