#pragma once

#include <unistd.h>
#include <utility>

// Move-only owner of a file descriptor. Assigning closes the descriptor held
// before at once, so an owner of a lock file releases its lock right there.
class UniqueFd {
public:
    explicit UniqueFd(int fd = -1) : m_nFd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_nFd(std::exchange(other.m_nFd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset();
            m_nFd = std::exchange(other.m_nFd, -1);
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    int get() const { return m_nFd; }
    explicit operator bool() const { return m_nFd >= 0; }

    // Closes now; false when close reported an error (data may be lost).
    bool reset() {
        const int fd = std::exchange(m_nFd, -1);
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int m_nFd;
};
