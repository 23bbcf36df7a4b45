#include "tovak/Connectivity.h"

#include "app/ServiceAddresses.h"
#include "platform/UniqueFd.h"

#include <cctype>
#include <cerrno>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>

namespace tovak {

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return text;
}

// Owner of a getaddrinfo() list.
class AddressList {
public:
    explicit AddressList(const ServiceEndpoint& endpoint) {
        addrinfo hints{};
        hints.ai_family = AF_UNSPEC;
        hints.ai_socktype = SOCK_STREAM;
        if (getaddrinfo(endpoint.host.c_str(), endpoint.port.c_str(), &hints, &m_pList) != 0) {
            m_pList = nullptr;
        }
    }
    AddressList(const AddressList&) = delete;
    AddressList& operator=(const AddressList&) = delete;
    ~AddressList() {
        if (m_pList != nullptr) {
            freeaddrinfo(m_pList);
        }
    }
    const addrinfo* first() const { return m_pList; }

private:
    addrinfo* m_pList = nullptr;
};

bool connectWithin(const addrinfo& address, int timeoutMs) {
    UniqueFd socketFd(
        ::socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (!socketFd) {
        return false;
    }
    if (::connect(socketFd.get(), address.ai_addr, address.ai_addrlen) == 0) {
        return true;
    }
    if (errno != EINPROGRESS) {
        return false;
    }
    pollfd waiting{socketFd.get(), POLLOUT, 0};
    if (::poll(&waiting, 1, timeoutMs) != 1) {
        return false;
    }
    int socketError = 0;
    socklen_t length = sizeof(socketError);
    return ::getsockopt(socketFd.get(), SOL_SOCKET, SO_ERROR, &socketError, &length) == 0 &&
           socketError == 0;
}

} // namespace

bool parseServiceEndpoint(const std::string& url, ServiceEndpoint& endpoint) {
    std::string::size_type schemeEnd = url.find("://");
    if (schemeEnd == std::string::npos) {
        return false;
    }
    std::string scheme = lowerCase(url.substr(0, schemeEnd));
    if (scheme != "http" && scheme != "https") {
        return false;
    }
    std::string authority = url.substr(schemeEnd + 3);
    authority = authority.substr(0, authority.find_first_of("/?#"));
    if (std::string::size_type at = authority.rfind('@'); at != std::string::npos) {
        authority.erase(0, at + 1);
    }
    endpoint.port = scheme == "https" ? "443" : "80";
    std::string::size_type portColon = std::string::npos;
    if (!authority.empty() && authority[0] == '[') {
        std::string::size_type close = authority.find(']');
        if (close == std::string::npos) {
            return false;
        }
        endpoint.host = authority.substr(1, close - 1);
        if (close + 1 < authority.size() && authority[close + 1] == ':') {
            portColon = close + 1;
        }
    } else {
        portColon = authority.rfind(':');
        endpoint.host = authority.substr(0, portColon);
    }
    if (portColon != std::string::npos && portColon + 1 < authority.size()) {
        endpoint.port = authority.substr(portColon + 1);
    }
    return !endpoint.host.empty();
}

bool probeEndpoint(const std::string& url, std::chrono::milliseconds budget) {
    ServiceEndpoint endpoint;
    if (!parseServiceEndpoint(url, endpoint)) {
        return false;
    }
    AddressList addresses(endpoint);
    auto deadline = std::chrono::steady_clock::now() + budget;
    for (const addrinfo* address = addresses.first(); address != nullptr;
         address = address->ai_next) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            return false;
        }
        if (connectWithin(*address, static_cast<int>(left.count()))) {
            return true;
        }
    }
    return false;
}

ReachabilityProbe::~ReachabilityProbe() {
    if (m_worker.joinable()) {
        m_worker.join();
    }
}

bool ReachabilityProbe::freshAnswerFor(const std::string& url, SteadyClock::time_point now) const {
    return m_bHaveAnswer && m_csAnsweredUrl == url && now - m_answeredAt < kCacheFor;
}

void ReachabilityProbe::startProbe(const std::string& url) {
    if (m_worker.joinable()) {
        m_worker.join(); // the previous probe is done; it only has to exit
    }
    m_bProbing = true;
    m_worker = std::thread([this, url] {
        bool reachable = probeEndpoint(url, kProbeBudget);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bHaveAnswer = true;
        m_bAnswer = reachable;
        m_csAnsweredUrl = url;
        m_answeredAt = SteadyClock::now();
        m_bProbing = false;
        m_finished.notify_all();
    });
}

bool ReachabilityProbe::isReachable(const std::string& url) {
    std::unique_lock<std::mutex> lock(m_mutex);
    SteadyClock::time_point now = SteadyClock::now();
    if (freshAnswerFor(url, now)) {
        return m_bAnswer;
    }
    if (!m_bProbing) {
        startProbe(url);
    }
    m_finished.wait_until(lock, now + kCallerWait, [this] { return !m_bProbing; });
    return freshAnswerFor(url, SteadyClock::now()) && m_bAnswer;
}

bool configurationServiceReachable() {
    static ReachabilityProbe probe;
    return probe.isReachable(serviceAddresses().configuration);
}

} // namespace tovak
