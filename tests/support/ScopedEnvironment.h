#pragma once

#include <optional>
#include <string>

namespace testing_support {

// Sets (or, with nullopt, unsets) an environment variable and restores the
// previous state on destruction.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::string name, std::optional<std::string> value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::string m_csName;
    std::optional<std::string> m_previous;
};

} // namespace testing_support
