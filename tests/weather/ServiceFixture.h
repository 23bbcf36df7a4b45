#pragma once

#include "support/LocalHttpServer.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <mutex>
#include <string>

namespace weather_testing {

// The web services on a loopback server, answering what the test says, in
// private data and install folders that the settings point at.
class ServiceFixture {
public:
    ServiceFixture();
    ~ServiceFixture();
    ServiceFixture(const ServiceFixture&) = delete;
    ServiceFixture& operator=(const ServiceFixture&) = delete;

    // The body of every observation (/wxdata/obs/...) and of ssconfig.xml;
    // an empty one answers 404.
    void setObservation(std::string csDocument);
    void setConfiguration(std::string csDocument);

    // Requests whose path starts with csPrefix.
    std::size_t requestsUnder(const std::string& csPrefix) const;
    // The last observation request's key parameter as the server decoded it.
    std::string lastObservationKey() const;
    std::string lastObservationTarget() const;

    testing_support::TempFolder m_dataHome;
    testing_support::TempFolder m_installFolder;

private:
    std::string answer(const std::string& csPath) const;

    mutable std::mutex m_mutex;
    std::string m_csObservation;
    std::string m_csConfiguration;
    testing_support::LocalHttpServer m_server;
    testing_support::ScopedEnvironment m_dataEnvironment;
    testing_support::ScopedEnvironment m_installEnvironment;
};

// An observation document with the three values.
std::string observationDocument(const std::string& csSkyCode, const std::string& csTemp,
                                const std::string& csText);

} // namespace weather_testing
