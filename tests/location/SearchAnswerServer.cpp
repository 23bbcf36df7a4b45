#include "SearchAnswerServer.h"

namespace location_test {

SearchAnswerServer::SearchAnswerServer()
    : m_dataHomeVariable("NIMBORA_DATA_HOME", m_dataHome.path()),
      m_server([this](httplib::Server& server) {
          server.Get("/search/search", [this](const httplib::Request&, httplib::Response& res) {
              std::lock_guard lock(m_mutex);
              res.status = m_nStatus;
              res.set_content(m_csBody, "application/xml");
          });
      }) {}

void SearchAnswerServer::answer(std::string body, int status) {
    std::lock_guard lock(m_mutex);
    m_csBody = std::move(body);
    m_nStatus = status;
}

std::string SearchAnswerServer::lastTarget() const {
    const auto requests = m_server.requests();
    return requests.empty() ? std::string() : requests.back().csTarget;
}

} // namespace location_test
