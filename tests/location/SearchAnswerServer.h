#pragma once

#include "support/LocalHttpServer.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <mutex>
#include <string>

namespace location_test {

// A search service that answers whatever the test sets, and records what it
// was asked, in a private data home (no settings of the user are read).
class SearchAnswerServer {
public:
    SearchAnswerServer();

    void answer(std::string body, int status = 200);
    std::string base() const { return m_server.url(); }
    std::size_t requestCount() const { return m_server.requestCount(); }
    // The path and query of the last request, as sent.
    std::string lastTarget() const;

private:
    testing_support::TempFolder m_dataHome;
    testing_support::ScopedEnvironment m_dataHomeVariable;
    mutable std::mutex m_mutex;
    std::string m_csBody;
    int m_nStatus = 200;
    testing_support::LocalHttpServer m_server; // last: stops before the body goes
};

} // namespace location_test
