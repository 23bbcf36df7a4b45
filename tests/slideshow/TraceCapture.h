#pragma once

#include "app/TovakInterface.h"
#include "support/ScopedEnvironment.h"
#include "support/TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace fixtures {

// Turns logging on through the real framework library for the lifetime of
// the object, in a private user data folder, and reads back what was
// logged. Installs itself as the process-wide instance.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    // The logged texts after "ScreenSaver: ", in order.
    std::vector<std::string> lines() const;

private:
    testing_support::TempFolder m_dataHome;
    testing_support::ScopedEnvironment m_dataHomeVariable;
    testing_support::ScopedEnvironment m_loggingVariable;
    std::unique_ptr<TovakInterface> m_pTovak;
    TovakInterface* m_pPrevious;
};

} // namespace fixtures
