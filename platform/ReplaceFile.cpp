#include "platform/ReplaceFile.h"

#include "platform/UniqueFd.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
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

void syncFolderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    UniqueFd directory(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
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

    std::string temporary = target + ".tmp-XXXXXX";
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
