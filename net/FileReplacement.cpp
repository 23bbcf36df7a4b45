#include "net/FileReplacement.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <vector>

FileReplacement::FileReplacement(std::string destination)
    : m_csDestination(std::move(destination)) {
    std::string pattern = m_csDestination + ".part-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = UniqueFd(::mkostemp(name.data(), O_CLOEXEC));
    if (m_fd) {
        m_csTemporary = name.data();
        // mkostemp makes the file private; give it the usual mode instead.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd.get(), 0666 & ~mask);
    } else {
        m_nError = errno;
    }
}

FileReplacement::~FileReplacement() {
    if (!m_csTemporary.empty()) {
        m_fd.reset();
        std::remove(m_csTemporary.c_str());
    }
}

bool FileReplacement::write(std::string_view bytes) {
    while (m_fd && !bytes.empty()) {
        const ssize_t count = ::write(m_fd.get(), bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            m_nError = count < 0 ? errno : EIO;
            return false;
        }
        m_nWritten += static_cast<std::uint64_t>(count);
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return static_cast<bool>(m_fd);
}

bool FileReplacement::commit() {
    if (!m_fd || m_nError != 0) {
        return false;
    }
    if (::fsync(m_fd.get()) != 0 || !m_fd.reset()) {
        m_nError = errno;
        return false;
    }
    if (std::rename(m_csTemporary.c_str(), m_csDestination.c_str()) != 0) {
        m_nError = errno;
        return false;
    }
    m_csTemporary.clear();
    return true;
}
