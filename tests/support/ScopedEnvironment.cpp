#include "support/ScopedEnvironment.h"

#include <cstdlib>

namespace testing_support {

namespace {
void assign(const std::string& name, const std::optional<std::string>& value) {
    if (value) {
        setenv(name.c_str(), value->c_str(), 1);
    } else {
        unsetenv(name.c_str());
    }
}
} // namespace

ScopedEnvironment::ScopedEnvironment(std::string name, std::optional<std::string> value)
    : m_csName(std::move(name)) {
    if (const char* old = std::getenv(m_csName.c_str())) {
        m_previous = old;
    }
    assign(m_csName, value);
}

ScopedEnvironment::~ScopedEnvironment() {
    assign(m_csName, m_previous);
}

} // namespace testing_support
