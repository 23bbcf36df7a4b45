#include "HttpTestRoutes.h"

#include "net/InternetServices.h"

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace net_tests {

namespace {

void statusRoute(httplib::Server& server, int status) {
    server.Get("/status/" + std::to_string(status),
               [status](const httplib::Request&, httplib::Response& response) {
                   response.status = status;
                   response.set_content("body of " + std::to_string(status), "text/plain");
               });
}

} // namespace

void addTestRoutes(httplib::Server& server, const testing_support::LocalHttpServer* owner) {
    for (int status : {200, 299, 300, 404, 418, 502, 503}) {
        statusRoute(server, status);
    }
    server.Get("/empty", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("", "text/plain");
    });
    server.Get("/doc.xml", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("<observation><temp>54</temp></observation>", "text/xml");
    });
    // A NUL early in the first 2048-byte read, then a second read.
    server.Get("/nul", [](const httplib::Request&, httplib::Response& response) {
        std::string body = std::string("abc\0def", 7) + std::string(2048 - 7, 'x') + "ghi";
        response.set_content(body, "application/octet-stream");
    });
    server.Get("/large", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(std::string(100 * 1024, 'L'), "application/octet-stream");
    });
    server.Get("/redirect/http", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/doc.xml");
    });
    server.Get("/redirect/file", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("file:///etc/passwd");
    });
    server.Get("/redirect/loop", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/redirect/loop");
    });
    server.Get("/hang", [owner](const httplib::Request&, httplib::Response& response) {
        owner->sleepUnlessStopping(std::chrono::milliseconds(kHangMs));
        response.set_content("too late", "text/plain");
    });
    server.Get("/endless", [owner](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider(
            "application/octet-stream", [owner](size_t, httplib::DataSink& sink) {
                const std::string block(16 * 1024, 'E');
                return !owner->stopping() && sink.write(block.data(), block.size());
            });
    });
    server.Get("/trickle", [owner](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider("text/plain", [owner](size_t,
                                                                    httplib::DataSink& sink) {
            return owner->sleepUnlessStopping(std::chrono::milliseconds(100)) && sink.write("t", 1);
        });
    });
    // Promises 100 bytes, sends 10 and drops the connection.
    server.Get("/truncated", [](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(100, "text/plain",
                                      [](size_t offset, size_t, httplib::DataSink& sink) {
                                          if (offset == 0) {
                                              sink.write("0123456789", 10);
                                              return true;
                                          }
                                          return false;
                                      });
    });
}

void HttpTest::SetUp() {
    m_savedLimits = httpLimits();
    setHttpLimits(shortLimits());
    g_bUseDirectQuery = false;
    m_server = std::make_unique<testing_support::LocalHttpServer>(
        [](httplib::Server& routes, const testing_support::LocalHttpServer& owner) {
            addTestRoutes(routes, &owner);
        });
}

void HttpTest::TearDown() {
    m_server.reset();
    setHttpLimits(m_savedLimits);
}

RawReplyServer::RawReplyServer(std::string reply) {
    m_nListener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(m_nListener, reinterpret_cast<sockaddr*>(&address), sizeof address);
    ::getsockname(m_nListener, reinterpret_cast<sockaddr*>(&address), &length);
    ::listen(m_nListener, 4);
    m_nPort = ntohs(address.sin_port);
    m_thread = std::thread([this, reply] {
        for (;;) {
            const int client = ::accept(m_nListener, nullptr, nullptr);
            if (client < 0) {
                return; // the listener was shut down
            }
            char request[4096];
            [[maybe_unused]] const ssize_t ignored = ::recv(client, request, sizeof request, 0);
            ::send(client, reply.data(), reply.size(), MSG_NOSIGNAL);
            ::close(client);
        }
    });
}

RawReplyServer::~RawReplyServer() {
    ::shutdown(m_nListener, SHUT_RDWR);
    m_thread.join();
    ::close(m_nListener);
}

} // namespace net_tests
