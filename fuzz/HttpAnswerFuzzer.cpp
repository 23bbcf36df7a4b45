// Feeds arbitrary bytes to the program's HTTP client as a server's whole
// answer, through each of its ways of fetching: a document directly, a
// document through a temporary file, and a download to a file. A loopback
// server that answers every connection with the input stands in for every
// host: it is the proxy of all requests, so redirects reach it too.
#include "FuzzScratch.h"
#include "net/HttpLimits.h"
#include "net/InternetServices.h"

#include <arpa/inet.h>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

class AnsweringServer {
public:
    AnsweringServer() {
        m_nListener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(m_nListener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::getsockname(m_nListener, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
            ::listen(m_nListener, 16) != 0) {
            fuzzing::fail("cannot listen on loopback");
        }
        m_nPort = ntohs(address.sin_port);
        std::thread([this] { serve(); }).detach();
    }

    int port() const { return m_nPort; }
    void setAnswer(std::string answer) {
        std::lock_guard lock(m_mutex);
        m_answer = std::move(answer);
    }

private:
    void serve() {
        for (;;) {
            const int client = ::accept4(m_nListener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0) {
                continue;
            }
            readRequest(client);
            std::string answer;
            {
                std::lock_guard lock(m_mutex);
                answer = m_answer;
            }
            for (std::size_t nSent = 0; nSent < answer.size();) {
                const ssize_t n =
                    ::send(client, answer.data() + nSent, answer.size() - nSent, MSG_NOSIGNAL);
                if (n <= 0) {
                    break;
                }
                nSent += static_cast<std::size_t>(n);
            }
            // Whatever else the client sends is read, so closing does not
            // reset the connection before it has read the answer.
            ::shutdown(client, SHUT_WR);
            readRequest(client);
            ::close(client);
        }
    }

    // Reads until the end of the request's headers, the client's end, or a
    // pause.
    static void readRequest(int client) {
        std::string request;
        char buffer[4096];
        pollfd ready{client, POLLIN, 0};
        while (request.find("\r\n\r\n") == std::string::npos && ::poll(&ready, 1, 1000) == 1) {
            const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
            if (n <= 0) {
                return;
            }
            request.append(buffer, static_cast<std::size_t>(n));
        }
    }

    int m_nListener = -1;
    int m_nPort = 0;
    std::mutex m_mutex;
    std::string m_answer;
};

AnsweringServer& server() {
    static AnsweringServer* instance = [] {
        auto* created = new AnsweringServer();
        const std::string proxy = "http://127.0.0.1:" + std::to_string(created->port());
        setenv("http_proxy", proxy.c_str(), 1);
        setenv("https_proxy", proxy.c_str(), 1);
        unsetenv("no_proxy");
        unsetenv("NO_PROXY");
        std::filesystem::create_directories(fuzzing::scratchFolder() + "tmp");
        setenv("TMPDIR", (fuzzing::scratchFolder() + "tmp").c_str(), 1);
        setenv("NIMBORA_DATA_HOME", fuzzing::scratchFolder().c_str(), 1);
        setenv("XDG_RUNTIME_DIR", fuzzing::scratchFolder().c_str(), 1);
        HttpLimits limits;
        limits.nConnectTimeoutMs = 2000;
        limits.nDocumentTimeoutMs = 2000;
        limits.nDownloadTimeoutMs = 2000;
        limits.nMaxDocumentBytes = 64 * 1024;
        limits.nMaxDownloadBytes = 64 * 1024;
        setHttpLimits(limits);
        return created;
    }();
    return *instance;
}

bool folderIsEmpty(const std::string& folder) {
    std::error_code error;
    return std::filesystem::is_empty(folder, error) && !error;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    AnsweringServer& answering = server();
    answering.setAnswer(std::string(reinterpret_cast<const char*>(data) + 1, size - 1));
    const std::string url = "http://observation.test/wxdata/obs/US10001.xml?key=k";
    InternetServices services;
    switch (data[0] % 3) {
    case 0:
        if (services.QueryUrlDirectly(url) &&
            services.getResponse().find('\0') != std::string::npos) {
            fuzzing::fail("a document holds a NUL byte");
        }
        break;
    case 1: {
        const bool bOk = services.QueryUrl(url.c_str());
        if (!folderIsEmpty(fuzzing::scratchFolder() + "tmp")) {
            fuzzing::fail("a temporary file was left behind");
        }
        if (!bOk && !services.getResponse().empty()) {
            fuzzing::fail("a failed fetch has a response");
        }
        break;
    }
    default: {
        const std::string folder = fuzzing::scratchFolder() + "download/";
        const bool bOk = services.downloadFileFromURL(url, folder + "pack.wxs");
        std::error_code error;
        const bool bExists = std::filesystem::exists(folder + "pack.wxs", error);
        if (bOk != bExists) {
            fuzzing::fail(bOk ? "a download succeeded without its file"
                              : "a failed download left a file");
        }
        const auto leftover = std::filesystem::remove_all(folder, error);
        if (leftover > 1 + (bExists ? 1 : 0)) {
            fuzzing::fail("a partial download was left behind");
        }
        break;
    }
    }
    return 0;
}
