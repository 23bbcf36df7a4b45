#include "tovak/FileDownload.h"

#include "platform/Folders.h"
#include "platform/UniqueFd.h"
#include "tovak/HttpFetch.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

namespace tovak {

namespace {

// The temporary file of one download; removed unless it was committed.
class TemporaryFile {
public:
    explicit TemporaryFile(const std::string& destination) {
        m_csPath = destination + ".part-XXXXXX";
        m_fd = UniqueFd(::mkostemp(m_csPath.data(), O_CLOEXEC));
        if (!m_fd) {
            m_csPath.clear();
        } else {
            ::fchmod(m_fd.get(), 0644);
        }
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        m_fd.reset();
        if (!m_csPath.empty()) {
            ::unlink(m_csPath.c_str());
        }
    }

    bool isOpen() const { return static_cast<bool>(m_fd); }
    int fd() const { return m_fd.get(); }

    // Flushes, closes and renames the file to destination.
    bool commit(const std::string& destination) {
        if (::fsync(m_fd.get()) != 0 || !m_fd.reset()) {
            return false;
        }
        if (::rename(m_csPath.c_str(), destination.c_str()) != 0) {
            return false;
        }
        m_csPath.clear();
        return true;
    }

private:
    std::string m_csPath;
    UniqueFd m_fd;
};

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string systemFailure(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

} // namespace

bool downloadFile(const char* url, const char* destinationPath, std::size_t maxBytes,
                  unsigned* downloadedSize, LPTOVAKERROR error) {
    uint32_t empty = 0;
    empty |= (url == nullptr || url[0] == '\0') ? TOVAKERROR_FLAG_EMPTY_URL : 0;
    empty |=
        (destinationPath == nullptr || destinationPath[0] == '\0') ? TOVAKERROR_FLAG_EMPTY_PATH : 0;
    if (empty != 0) {
        setTovakError(error, TOVAKERROR_EMPTY_ARGUMENT, empty, "An address or a path is missing");
        return false;
    }
    std::string destination = destinationPath;
    std::string::size_type slash = destination.find_last_of('/');
    if (slash != std::string::npos && slash > 0) {
        platform::createFolders(destination.substr(0, slash + 1));
    }
    TemporaryFile file(destination);
    if (!file.isOpen()) {
        setTovakError(error, TOVAKERROR_REQUEST_FAILED, 0,
                      systemFailure("Cannot create a file beside", destination).c_str());
        return false;
    }
    HttpRequest request;
    request.url = url;
    request.limits.totalTimeoutSeconds = 0; // large files: bounded by the stall limit instead
    request.limits.maxBytes = maxBytes == 0 ? kMaxDownloadBytes : maxBytes;
    int fd = file.fd();
    HttpOutcome outcome = performRequest(
        request, [fd](const char* data, std::size_t size) { return writeAll(fd, data, size); });
    if (!outcome.ok) {
        setTovakError(error, TOVAKERROR_REQUEST_FAILED, 0, outcome.errorText.c_str());
        return false;
    }
    if (!file.commit(destination)) {
        setTovakError(error, TOVAKERROR_REQUEST_FAILED, 0,
                      systemFailure("Cannot store the download as", destination).c_str());
        return false;
    }
    if (downloadedSize != nullptr) {
        *downloadedSize = static_cast<unsigned>(outcome.bytes);
    }
    return true;
}

} // namespace tovak
