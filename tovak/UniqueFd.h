#pragma once

#include <unistd.h>
#include <utility>

namespace tovak {

// Owner of one file descriptor; the destructor closes it.
class UniqueFd {
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_nFd(fd) {}
    UniqueFd(UniqueFd&& other) noexcept : m_nFd(std::exchange(other.m_nFd, -1)) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.m_nFd, -1));
        }
        return *this;
    }
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() { reset(); }

    explicit operator bool() const { return m_nFd >= 0; }
    int get() const { return m_nFd; }
    // Closes the descriptor now; false when close() reported an error.
    bool close() {
        int fd = std::exchange(m_nFd, -1);
        return fd < 0 || ::close(fd) == 0;
    }
    void reset(int fd = -1) {
        if (m_nFd >= 0) {
            ::close(m_nFd);
        }
        m_nFd = fd;
    }

private:
    int m_nFd = -1;
};

} // namespace tovak
