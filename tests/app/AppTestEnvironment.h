#pragma once

#include "app/TovakInterface.h"
#include "platform/Clock.h"
#include "support/LocalHttpServer.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// A loopback server that answers every GET with 200 and keeps what it was
// asked, in order.
class RecordingServer : public testing_support::LocalHttpServer {
public:
    RecordingServer();

    // The requests whose path starts with prefix.
    std::vector<Request> requestsUnder(const std::string& prefix) const;
};

// The tracking code of a ping path "/27/<code>", or empty for other paths.
std::string trackingCode(const RecordingServer::Request& request);

// A clock the tests set by hand.
class ManualClock : public platform::Clock {
public:
    int localSeconds() const override { return 0; }
    std::int64_t now() const override { return m_nNow; }
    std::uint32_t tickCount() const override { return m_nTick; }

    std::int64_t m_nNow = 1'780'000'000;
    std::uint32_t m_nTick = 4242;
};

// A private user data folder and install folder, the service addresses
// pointing at a recording server, and the manual clock in force.
class AppTestEnvironment {
public:
    AppTestEnvironment();
    ~AppTestEnvironment();
    AppTestEnvironment(const AppTestEnvironment&) = delete;
    AppTestEnvironment& operator=(const AppTestEnvironment&) = delete;

    // Loads the framework library built beside the tests (from a copy in
    // the install folder) and makes it the process-wide one.
    void loadFramework();
    // Makes the process-wide wrapper one whose library is missing.
    void loadMissingFramework();

    // The tracking codes and usage pings the server saw, in order: codes
    // as themselves, usage pings as "usage".
    std::vector<std::string> pings() const;

    testing_support::TempFolder m_dataHome;
    testing_support::TempFolder m_installFolder;
    RecordingServer m_server;
    ManualClock m_clock;

private:
    testing_support::ScopedEnvironment m_dataEnvironment;
    testing_support::ScopedEnvironment m_installEnvironment;
    testing_support::ScopedEnvironment m_loggingEnvironment;
    std::unique_ptr<TovakInterface> m_pTovak;
};

// The folder holding the test build of libtovak.so.
std::string frameworkBuildFolder();
