#include "platform/ReplaceFile.h"

#include "platform/UniqueFd.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool writeAll(int fd, std::string_view content) {
    while (!content.empty()) {
        ssize_t written = write(fd, content.data(), content.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

std::string resolvedTarget(const std::string& path) {
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

// The temporary file of a replacement: the target's name and this suffix,
// whose six X are made unique by mkostemp().
constexpr const char* kTemporarySuffix = ".tmp-XXXXXX";

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "." : path.substr(0, slash + 1);
}

void syncFolderOf(const std::string& path) {
    UniqueFd directory(open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.get() >= 0) {
        fsync(directory.get());
    }
}

} // namespace

bool replaceFile(const std::string& path, std::string_view content) {
    if (path.empty()) {
        return false;
    }
    std::string target = resolvedTarget(path);
    mode_t mode = 0600;
    struct stat info {};
    if (stat(target.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            return false;
        }
        mode = info.st_mode & 07777;
    }

    std::string temporary = target + kTemporarySuffix;
    UniqueFd file(mkostemp(temporary.data(), O_CLOEXEC));
    if (file.get() < 0) {
        return false;
    }
    bool ok =
        fchmod(file.get(), mode) == 0 && writeAll(file.get(), content) && fsync(file.get()) == 0;
    ok = file.reset() && ok;
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        int saved = errno;
        unlink(temporary.c_str());
        errno = saved;
        return false;
    }
    syncFolderOf(target);
    return true;
}

void removeStaleReplacements(const std::string& path) {
    if (path.empty()) {
        return;
    }
    const std::string target = resolvedTarget(path);
    const size_t slash = target.rfind('/');
    const std::string stem = target.substr(slash == std::string::npos ? 0 : slash + 1);
    const std::string_view suffix = kTemporarySuffix;
    const std::string prefix = stem + std::string(suffix.substr(0, suffix.find('X')));
    const size_t uniqueLength = suffix.size() - suffix.find('X');
    std::error_code error;
    for (std::filesystem::directory_iterator it(folderOf(target), error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
        const std::string name = it->path().filename().string();
        // mkostemp() fills the X with letters and digits only.
        if (name.size() == prefix.size() + uniqueLength &&
            name.compare(0, prefix.size(), prefix) == 0 &&
            std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()), name.end(),
                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; })) {
            unlink(it->path().c_str());
        }
    }
}

bool readWholeFile(const std::string& path, std::string& content) {
    content.clear();
    UniqueFd file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0) {
        return false;
    }
    char buffer[65536];
    for (;;) {
        ssize_t count = read(file.get(), buffer, sizeof buffer);
        if (count == 0) {
            return true;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            content.clear();
            return false;
        }
        content.append(buffer, static_cast<size_t>(count));
    }
}

} // namespace platform
