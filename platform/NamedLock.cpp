#include "platform/NamedLock.h"

#include "platform/Folders.h"
#include "platform/PollPause.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr size_t kMaxLockNameLength = 180;

bool isNameCharacter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' ||
           c == '-' || c == '_';
}

std::string hashText(const std::string& text) {
    // FNV-1a: stable across processes and builds, unlike std::hash.
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    char digits[17];
    std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
    return digits;
}

// Safe file name for a lock: unusual characters become '_', and a long name
// keeps its tail plus a hash of the whole so it stays unique and short.
std::string lockFileName(const std::string& name) {
    std::string safe;
    safe.reserve(name.size());
    for (char c : name) {
        safe += isNameCharacter(c) ? c : '_';
    }
    if (safe.empty() || safe == "." || safe == "..") {
        safe = "_" + safe;
    }
    if (safe.size() > kMaxLockNameLength) {
        safe = hashText(name) + "_" + safe.substr(safe.size() - (kMaxLockNameLength - 17));
    }
    return safe;
}

// The runtime folder must be ours alone: in /tmp anybody could have made it.
bool ensurePrivateFolder(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat info {};
    return lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid();
}

} // namespace

std::optional<NamedLock> NamedLock::acquire(const std::string& name, int timeoutMs) {
    std::string folder = runtimeFolder();
    if (!ensurePrivateFolder(folder)) {
        return std::nullopt;
    }
    std::string path = folder + lockFileName(name) + ".lock";
    UniqueFd fd(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
    if (!fd) {
        return std::nullopt;
    }
    PollPause pause(PollPause::Clock::now() +
                    std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs));
    for (;;) {
        if (flock(fd.get(), LOCK_EX | LOCK_NB) == 0) {
            return NamedLock(std::move(fd));
        }
        if ((errno != EWOULDBLOCK && errno != EINTR) || !pause.sleep()) {
            return std::nullopt;
        }
    }
}

std::string lockNameForFile(const std::string& path) {
    return lockFileName(path);
}

} // namespace platform
