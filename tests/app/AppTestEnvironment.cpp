#include "AppTestEnvironment.h"

#include "app/ServiceAddresses.h"
#include "app/SettingsStore.h"
#include "platform/MessageBox.h"

#include <filesystem>

RecordingServer::RecordingServer()
    : LocalHttpServer([](httplib::Server& server) {
          server.Get(".*", [](const httplib::Request&, httplib::Response& response) {
              response.set_content("ok", "text/plain");
          });
      }) {}

std::vector<RecordingServer::Request>
RecordingServer::requestsUnder(const std::string& prefix) const {
    std::vector<Request> matching;
    for (const Request& request : requests()) {
        if (request.csPath.rfind(prefix, 0) == 0) {
            matching.push_back(request);
        }
    }
    return matching;
}

std::string trackingCode(const RecordingServer::Request& request) {
    const std::string prefix = "/27/";
    if (request.csPath.rfind(prefix, 0) != 0) {
        return "";
    }
    return request.csPath.substr(prefix.size());
}

AppTestEnvironment::AppTestEnvironment()
    : m_dataEnvironment("NIMBORA_DATA_HOME", m_dataHome.path()),
      m_installEnvironment("NIMBORA_INSTALL_FOLDER", m_installFolder.path()),
      m_loggingEnvironment("NIMBORA_LOGGING", "1") {
    for (const char* key : {"observation", "search", "configuration", "tracking", "web"}) {
        SettingsStore::SetString(kServicesSubsection, key, m_server.url());
    }
    platform::setClock(&m_clock);
}

AppTestEnvironment::~AppTestEnvironment() {
    g_pTovakInterface = nullptr;
    m_pTovak.reset();
    platform::setClock(nullptr);
}

void AppTestEnvironment::loadFramework() {
    std::filesystem::copy_file(frameworkBuildFolder() + "libtovak.so",
                               m_installFolder.file("libtovak.so"));
    m_pTovak = std::make_unique<TovakInterface>("ScreenSaver", m_installFolder.path());
    g_pTovakInterface = m_pTovak.get();
}

void AppTestEnvironment::loadMissingFramework() {
    // The load error box is not what these tests are about: keep it quiet.
    const platform::MessageBoxHandler previous =
        platform::setMessageBoxHandler([](const std::string&, const std::string&) {});
    m_pTovak = std::make_unique<TovakInterface>("ScreenSaver", m_installFolder.path());
    platform::setMessageBoxHandler(previous);
    g_pTovakInterface = m_pTovak.get();
}

std::vector<std::string> AppTestEnvironment::pings() const {
    std::vector<std::string> seen;
    for (const RecordingServer::Request& request : m_server.requests()) {
        if (!trackingCode(request).empty()) {
            seen.push_back(trackingCode(request));
        } else if (request.csPath == "/services/ssaver/ss1xusagetrack.html") {
            seen.push_back("usage");
        }
    }
    return seen;
}

std::string frameworkBuildFolder() {
    return NIMBORA_TEST_TOVAK_FOLDER;
}
