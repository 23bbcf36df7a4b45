#include "platform/NamedLock.h"

#include "platform/Folders.h"
#include "platform/PollPause.h"
#include "platform/ThreadAlarm.h"

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

UniqueFd openLockFile(const std::string& path) {
    return UniqueFd(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600));
}

// Takes the exclusive lock of fd, waiting in the kernel until it is free or
// the deadline has passed.
bool lockBefore(int fd, PollPause::Clock::time_point deadline) {
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        return true;
    }
    if (errno != EWOULDBLOCK && errno != EINTR) {
        return false;
    }
    if (std::optional<ThreadAlarm> alarm = ThreadAlarm::arm(deadline)) {
        for (;;) {
            if (flock(fd, LOCK_EX) == 0) {
                return true;
            }
            if (errno != EINTR || PollPause::Clock::now() >= deadline) {
                return false;
            }
        }
    }
    // No alarm to end a blocking wait: try again now and then instead.
    PollPause pause(deadline);
    while (pause.sleep()) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            return true;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            return false;
        }
    }
    return false;
}

} // namespace

std::optional<NamedLock> NamedLock::acquire(const std::string& name, int timeoutMs) {
    const auto deadline =
        PollPause::Clock::now() + std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    std::string folder = runtimeFolder();
    if (!ensurePrivateFolder(folder)) {
        return std::nullopt;
    }
    const std::string base = folder + lockFileName(name);
    UniqueFd lock = openLockFile(base + ".lock");
    UniqueFd turn = openLockFile(base + ".turn");
    if (!lock || !turn) {
        return std::nullopt;
    }
    // The turn is held while waiting for the lock and let go (closed on
    // return) as soon as the lock is had.
    if (!lockBefore(turn.get(), deadline) || !lockBefore(lock.get(), deadline)) {
        return std::nullopt;
    }
    return NamedLock(std::move(lock));
}

std::string lockNameForFile(const std::string& path) {
    return lockFileName(path);
}

} // namespace platform
