#include "net/FileServices.h"

#include "net/HttpLimits.h"
#include "platform/DebugOutput.h"
#include "platform/NamedLock.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

const char* const kReadPrefix =
    "FileServices::_reallyReadFromFile( string file, string *result) - ";

void reportSystemError(const char* what, int error) {
    std::string text = kReadPrefix;
    text += what;
    text += " error: code = " + std::to_string(error) + ", message = ";
    text += std::string(std::strerror(error)).substr(0, 500);
    platform::debugOutput(text);
}

} // namespace

std::string FileServices::lockNameFor(const std::string& path) {
    return platform::lockNameForFile(std::filesystem::path(path).filename().string());
}

bool FileServices::readFromFile(const std::string& path, std::string* result) {
    struct stat info {};
    if (result == nullptr || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    std::optional<platform::NamedLock> lock =
        platform::NamedLock::acquire(lockNameFor(path), kLockTimeoutMs);
    if (!lock) {
        return false;
    }
    return _reallyReadFromFile(path, result);
}

bool FileServices::_reallyReadFromFile(const std::string& file, std::string* result) {
    UniqueFd fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
    if (!fd) {
        reportSystemError("CreateFile()", errno);
        return false;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) {
        reportSystemError("GetFileSize()", errno);
        return false;
    }
    const auto size = static_cast<std::uint64_t>(info.st_size);
    if (size > httpLimits().nMaxDocumentBytes) {
        reportSystemError("GlobalAlloc()", EFBIG);
        return false;
    }
    std::vector<char> buffer(size + 1, '\0');
    std::size_t total = 0;
    while (total < size) {
        const ssize_t count = ::read(fd.get(), buffer.data() + total, size - total);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count < 0) {
            reportSystemError("ReadFile()", errno);
            return false;
        }
        if (count == 0) {
            break;
        }
        total += static_cast<std::size_t>(count);
    }
    if (total < size) {
        platform::debugOutput(std::string(kReadPrefix) +
                              "ReadFile() did not read in all the data. " + std::to_string(total) +
                              " bytes were read in while attempting to read " +
                              std::to_string(size) + " bytes.");
        return false;
    }
    *result = std::string(buffer.data());
    return true;
}
