#include "ServiceFixture.h"

#include "app/ServiceAddresses.h"
#include "app/SettingsStore.h"
#include "net/InternetServices.h"

namespace weather_testing {

ServiceFixture::ServiceFixture()
    : m_server([this](httplib::Server& server) {
          server.Get(".*", [this](const httplib::Request& request, httplib::Response& response) {
              const std::string csBody = answer(request.path);
              if (csBody.empty()) {
                  response.status = 404;
              } else {
                  response.set_content(csBody, "text/xml");
              }
          });
      }),
      m_dataEnvironment("NIMBORA_DATA_HOME", m_dataHome.path()),
      m_installEnvironment("NIMBORA_INSTALL_FOLDER", m_installFolder.path()) {
    for (const char* szKey : {"observation", "search", "configuration", "tracking", "web"}) {
        SettingsStore::SetString(kServicesSubsection, szKey, m_server.url());
    }
    g_bUseDirectQuery = false;
}

ServiceFixture::~ServiceFixture() {
    g_bUseDirectQuery = false;
}

void ServiceFixture::setObservation(std::string csDocument) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_csObservation = std::move(csDocument);
}

void ServiceFixture::setConfiguration(std::string csDocument) {
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_csConfiguration = std::move(csDocument);
}

std::string ServiceFixture::answer(const std::string& csPath) const {
    const std::lock_guard<std::mutex> lock(m_mutex);
    if (csPath.rfind("/wxdata/obs/", 0) == 0) {
        return m_csObservation;
    }
    if (csPath == "/services/plexa/screensaver/ssconfig.xml") {
        return m_csConfiguration;
    }
    return {};
}

std::size_t ServiceFixture::requestsUnder(const std::string& csPrefix) const {
    std::size_t nCount = 0;
    for (const auto& request : m_server.requests()) {
        nCount += request.csPath.rfind(csPrefix, 0) == 0 ? 1 : 0;
    }
    return nCount;
}

std::string ServiceFixture::lastObservationKey() const {
    std::string csKey;
    for (const auto& request : m_server.requests()) {
        if (request.csPath.rfind("/wxdata/obs/", 0) == 0) {
            const auto found = request.params.find("key");
            csKey = found == request.params.end() ? std::string("<none>") : found->second;
        }
    }
    return csKey;
}

std::string ServiceFixture::lastObservationTarget() const {
    std::string csTarget;
    for (const auto& request : m_server.requests()) {
        if (request.csPath.rfind("/wxdata/obs/", 0) == 0) {
            csTarget = request.csTarget;
        }
    }
    return csTarget;
}

std::string observationDocument(const std::string& csSkyCode, const std::string& csTemp,
                                const std::string& csText) {
    return "<?xml version=\"1.0\"?>\n<observation><wxIcon>" + csSkyCode + "</wxIcon><temp>" +
           csTemp + "</temp><text>" + csText + "</text></observation>";
}

} // namespace weather_testing
