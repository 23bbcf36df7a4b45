#pragma once

#include <optional>
#include <string>

namespace platform {

// A lock shared between processes, named like a Windows mutex. It is an
// advisory lock on a file in runtimeFolder(); the system drops it when its
// holder dies, so an abandoned lock never blocks anyone.
class NamedLock {
public:
    // Waits at most timeoutMs for the lock; empty when it was not had in time
    // or the lock file cannot be opened.
    static std::optional<NamedLock> acquire(const std::string& name, int timeoutMs);

    NamedLock(NamedLock&& other) noexcept;
    NamedLock& operator=(NamedLock&& other) noexcept;
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;
    ~NamedLock();

private:
    explicit NamedLock(int fd) : m_nFd(fd) {}
    int m_nFd = -1;
};

// The lock name used for a file: its path with every character that cannot
// stand in a file name replaced, so all processes derive the same name.
std::string lockNameForFile(const std::string& path);

} // namespace platform
