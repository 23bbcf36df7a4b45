// nimbora-services-load: hostile and ordinary clients for the load script
// (services/bench/run-abuse). Loopback only; every count and time is capped.
//
//   hold  --port P [--idle N] [--slowloris M] [--byte-ms T] --seconds S
//         keeps N connections that send nothing and M that send a request's
//         headers one byte at a time, reopening those the server closes;
//         prints "ready" once all are open, then a summary.
//   probe --port P --path /x --count N [--timeout-ms T]
//         N requests one after the other, each on a new connection (as the
//         screensaver makes them); prints latency percentiles and failures.
//   post  --port P --path /x --bytes B
//         one POST announcing and sending a body of B bytes; prints how the
//         server answered and how much of the body it took.
//   freeport
//         prints a loopback port that is free at the moment.
#include <algorithm>
#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <string>
#include <sys/epoll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr long kMaxConnections = 20000;
constexpr long kMaxSeconds = 600;
constexpr long long kMaxPostBytes = 4LL << 30;

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t g_stop = 0;

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

struct Options {
    std::map<std::string, std::string> values;
    long number(const std::string& name, long fallback, long low, long high) const {
        const auto found = values.find(name);
        if (found == values.end()) {
            return fallback;
        }
        char* end = nullptr;
        const long long value = std::strtoll(found->second.c_str(), &end, 10);
        if (*end != '\0' || value < low || value > high) {
            std::fprintf(stderr, "--%s must be %ld-%ld\n", name.c_str(), low, high);
            std::exit(2);
        }
        return static_cast<long>(value);
    }
    std::string text(const std::string& name, const std::string& fallback) const {
        const auto found = values.find(name);
        return found == values.end() ? fallback : found->second;
    }
};

int openSocket(int port, bool blocking) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | (blocking ? 0 : SOCK_NONBLOCK), 0);
    if (fd < 0) {
        return -1;
    }
    int one = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<std::uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 &&
        errno != EINPROGRESS) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void raiseDescriptorLimit() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// ---- hold -------------------------------------------------------------------

struct Held {
    int fd = -1;
    bool slow = false;
    std::size_t sent = 0; // bytes of the slow request sent so far
    Clock::time_point nextByte;
    Clock::time_point reopenAt;
};

const std::string kSlowRequest = "GET /wxdata/obs/US10001.xml?key=slow HTTP/1.1\r\n"
                                 "Host: 127.0.0.1\r\n"
                                 "X-Slow: " +
                                 std::string(4000, 'a');

int hold(const Options& options) {
    const int port = static_cast<int>(options.number("port", 0, 1, 65535));
    const long idle = options.number("idle", 0, 0, kMaxConnections);
    const long slow = options.number("slowloris", 0, 0, kMaxConnections - idle);
    const long byteMs = options.number("byte-ms", 2000, 10, 60000);
    const long seconds = options.number("seconds", 10, 1, kMaxSeconds);
    raiseDescriptorLimit();
    const int epoll = epoll_create1(0);
    std::vector<Held> held(static_cast<std::size_t>(idle + slow));
    long reopened = 0;
    long failedOpens = 0;
    long answered = 0;
    const auto open = [&](std::size_t i) {
        Held& h = held[i];
        h.fd = openSocket(port, false);
        h.sent = 0;
        h.nextByte = Clock::now();
        if (h.fd < 0) {
            ++failedOpens;
            h.reopenAt = Clock::now() + std::chrono::milliseconds(200);
            return;
        }
        epoll_event event{};
        event.events = EPOLLIN | EPOLLRDHUP;
        event.data.u64 = i;
        epoll_ctl(epoll, EPOLL_CTL_ADD, h.fd, &event);
    };
    const auto drop = [&](std::size_t i) {
        ::close(held[i].fd);
        held[i].fd = -1;
        held[i].reopenAt = Clock::now() + std::chrono::milliseconds(100);
        ++reopened;
    };
    for (std::size_t i = 0; i < held.size(); ++i) {
        held[i].slow = static_cast<long>(i) >= idle;
        open(i);
    }
    std::printf("ready: %zu connections\n", held.size());
    std::fflush(stdout);
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    std::vector<epoll_event> events(1024);
    char buffer[4096];
    std::signal(SIGTERM, [](int) { g_stop = 1; });
    while (Clock::now() < end && g_stop == 0) {
        const int n = epoll_wait(epoll, events.data(), static_cast<int>(events.size()), 50);
        for (int e = 0; e < n; ++e) {
            const std::size_t i = events[static_cast<std::size_t>(e)].data.u64;
            if (held[i].fd < 0) {
                continue;
            }
            const ssize_t got = ::recv(held[i].fd, buffer, sizeof buffer, 0);
            if (got > 0) {
                ++answered; // an answer (a refusal); the close follows
            } else if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK)) {
                drop(i);
            }
        }
        const auto now = Clock::now();
        for (std::size_t i = 0; i < held.size(); ++i) {
            Held& h = held[i];
            if (h.fd < 0) {
                if (now >= h.reopenAt) {
                    open(i);
                }
            } else if (h.slow && now >= h.nextByte && h.sent < kSlowRequest.size()) {
                // The request line goes at once, the headers a byte at a time.
                const std::size_t chunk = h.sent == 0 ? kSlowRequest.find('\n') + 1 : 1;
                const ssize_t put = ::send(h.fd, kSlowRequest.data() + h.sent, chunk, MSG_NOSIGNAL);
                if (put > 0) {
                    h.sent += static_cast<std::size_t>(put);
                }
                h.nextByte = now + std::chrono::milliseconds(byteMs);
            }
        }
    }
    long stillOpen = 0;
    for (const Held& h : held) {
        stillOpen += h.fd >= 0 ? 1 : 0;
        if (h.fd >= 0) {
            ::close(h.fd);
        }
    }
    ::close(epoll);
    std::printf("held %ld of %zu at the end; reopened %ld times, %ld opens failed, %ld "
                "answers to held connections\n",
                stillOpen, held.size(), reopened, failedOpens, answered);
    return 0;
}

// ---- probe ------------------------------------------------------------------

// One GET on a new connection; the time until the whole answer arrived, or
// a negative value when it failed or took longer than timeoutMs.
double timedGet(int port, const std::string& path, int timeoutMs, int& status) {
    const auto start = Clock::now();
    status = 0;
    const int fd = openSocket(port, false);
    if (fd < 0) {
        return -1;
    }
    const std::string request =
        "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n";
    std::size_t sent = 0;
    std::string answer;
    char buffer[8192];
    bool done = false;
    while (!done) {
        const int left = timeoutMs - static_cast<int>(msSince(start));
        if (left <= 0) {
            break;
        }
        pollfd p{fd, static_cast<short>(sent < request.size() ? POLLOUT : POLLIN), 0};
        if (poll(&p, 1, left) <= 0) {
            break;
        }
        if (sent < request.size()) {
            const ssize_t put =
                ::send(fd, request.data() + sent, request.size() - sent, MSG_NOSIGNAL);
            if (put < 0 && errno != EAGAIN) {
                break;
            }
            sent += put > 0 ? static_cast<std::size_t>(put) : 0;
            continue;
        }
        const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
        if (got > 0) {
            answer.append(buffer, static_cast<std::size_t>(got));
        } else if (got == 0) {
            done = true;
        } else if (errno != EAGAIN) {
            break;
        }
    }
    ::close(fd);
    if (!done || answer.compare(0, 9, "HTTP/1.1 ") != 0) {
        return -1;
    }
    status = std::atoi(answer.c_str() + 9);
    return msSince(start);
}

int probe(const Options& options) {
    const int port = static_cast<int>(options.number("port", 0, 1, 65535));
    const std::string path = options.text("path", "/");
    const long count = options.number("count", 1000, 1, 1000000);
    const int timeoutMs = static_cast<int>(options.number("timeout-ms", 5000, 1, 60000));
    const long maxSeconds = options.number("max-seconds", 60, 1, kMaxSeconds);
    std::vector<double> times;
    long failures = 0;
    long notOk = 0;
    const auto start = Clock::now();
    for (long i = 0; i < count && msSince(start) < maxSeconds * 1000.0; ++i) {
        int status = 0;
        const double ms = timedGet(port, path, timeoutMs, status);
        if (ms < 0) {
            ++failures;
            times.push_back(timeoutMs); // a failure counts as the worst time
        } else {
            notOk += status == 200 ? 0 : 1;
            times.push_back(ms);
        }
    }
    std::sort(times.begin(), times.end());
    const auto at = [&times](double q) {
        return times[std::min(times.size() - 1, static_cast<std::size_t>(q * times.size()))];
    };
    std::printf("probe %zu requests: p50 %.2f ms, p90 %.2f ms, p99 %.2f ms, max %.2f ms; "
                "%ld failed or over %d ms, %ld not 200\n",
                times.size(), at(0.5), at(0.9), at(0.99), times.back(), failures, timeoutMs, notOk);
    return 0;
}

// ---- post -------------------------------------------------------------------

int post(const Options& options) {
    const int port = static_cast<int>(options.number("port", 0, 1, 65535));
    const std::string path = options.text("path", "/");
    const long long bytes = options.number("bytes", 1 << 20, 0, kMaxPostBytes);
    const auto start = Clock::now();
    const int fd = openSocket(port, true);
    if (fd < 0) {
        std::printf("post: cannot connect\n");
        return 1;
    }
    const std::string head = "POST " + path +
                             " HTTP/1.1\r\nHost: 127.0.0.1\r\n"
                             "Content-Type: application/octet-stream\r\nContent-Length: " +
                             std::to_string(bytes) + "\r\n\r\n";
    ::send(fd, head.data(), head.size(), MSG_NOSIGNAL);
    std::vector<char> chunk(1 << 16, 'x');
    long long sent = 0;
    std::string answer;
    bool closed = false;
    char buffer[4096];
    while (!closed && msSince(start) < kMaxSeconds * 1000.0) {
        pollfd p{fd, static_cast<short>(POLLIN | (sent < bytes ? POLLOUT : 0)), 0};
        if (poll(&p, 1, 30000) <= 0) {
            break;
        }
        if (p.revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t got = ::recv(fd, buffer, sizeof buffer, 0);
            if (got > 0) {
                answer.append(buffer, static_cast<std::size_t>(got));
            } else {
                closed = true;
            }
        } else if (p.revents & POLLOUT) {
            const auto want = static_cast<std::size_t>(
                std::min<long long>(bytes - sent, static_cast<long long>(chunk.size())));
            const ssize_t put = ::send(fd, chunk.data(), want, MSG_NOSIGNAL);
            if (put < 0) {
                closed = true; // reset by the server
            } else {
                sent += put;
            }
        }
    }
    ::close(fd);
    const std::string line = answer.substr(0, answer.find('\r'));
    std::printf("post: answer \"%s\"; %lld of %lld body bytes sent; %.0f ms\n", line.c_str(), sent,
                bytes, msSince(start));
    return 0;
}

int freePort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        return 1;
    }
    std::printf("%d\n", ntohs(address.sin_port));
    ::close(fd);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: nimbora-services-load hold|probe|post|freeport --port P ...\n");
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    Options options;
    for (int i = 2; i + 1 < argc; i += 2) {
        if (std::strncmp(argv[i], "--", 2) != 0) {
            std::fprintf(stderr, "unexpected argument %s\n", argv[i]);
            return 2;
        }
        options.values[argv[i] + 2] = argv[i + 1];
    }
    const std::string mode = argv[1];
    if (mode == "freeport") {
        return freePort();
    }
    if (mode == "hold") {
        return hold(options);
    }
    if (mode == "probe") {
        return probe(options);
    }
    if (mode == "post") {
        return post(options);
    }
    std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
    return 2;
}
