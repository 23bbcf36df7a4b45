#include "platform/Folders.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#ifndef NIMBORA_INSTALL_FOLDER_DEFAULT
#define NIMBORA_INSTALL_FOLDER_DEFAULT "/usr/local/lib/nimbora-screensaver/"
#endif

namespace platform {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

std::string withoutTrailingSlashes(std::string path) {
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    return path;
}

std::string withTrailingSlash(std::string path) {
    if (!path.empty() && path.back() != '/') {
        path += '/';
    }
    return path;
}

} // namespace

std::string userDataBase() {
    for (const char* name : {"NIMBORA_DATA_HOME", "XDG_DATA_HOME"}) {
        std::string value = environmentValue(name);
        if (!value.empty()) {
            return withoutTrailingSlashes(value);
        }
    }
    std::string home = environmentValue("HOME");
    if (home.empty()) {
        return {};
    }
    return withoutTrailingSlashes(home) + "/.local/share";
}

std::string installFolderBase() {
    std::string value = environmentValue("NIMBORA_INSTALL_FOLDER");
    if (value.empty()) {
        value = NIMBORA_INSTALL_FOLDER_DEFAULT;
    }
    return withTrailingSlash(value);
}

std::string executableFolder() {
    std::string buffer(4096, '\0');
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) {
        return "./";
    }
    buffer.resize(static_cast<size_t>(length));
    size_t slash = buffer.rfind('/');
    return slash == std::string::npos ? std::string("./") : buffer.substr(0, slash + 1);
}

bool fileExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool folderExists(const std::string& path) {
    struct stat info {};
    return !path.empty() && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool createFolders(const std::string& path) {
    std::string target = withoutTrailingSlashes(path);
    if (target.empty()) {
        return false;
    }
    // Each prefix ending before a '/' is one folder of the path, outermost first.
    for (size_t slash = target.find('/', 1); slash != std::string::npos;
         slash = target.find('/', slash + 1)) {
        std::string prefix = target.substr(0, slash);
        if (!folderExists(prefix) && mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST) {
            return false;
        }
    }
    if (!folderExists(target) && mkdir(target.c_str(), 0755) != 0 && errno != EEXIST) {
        return false;
    }
    return folderExists(target);
}

std::vector<std::string> findFiles(const std::string& folder, const std::string& pattern) {
    std::vector<std::string> names;
    DIR* directory = opendir(folder.empty() ? "." : folder.c_str());
    if (directory == nullptr) {
        return names;
    }
    std::string base = withTrailingSlash(folder);
    while (const dirent* entry = readdir(directory)) {
        std::string name = entry->d_name;
        if (name == "." || name == ".." || fnmatch(pattern.c_str(), name.c_str(), 0) != 0) {
            continue;
        }
        if (fileExists(base + name)) {
            names.push_back(name);
        }
    }
    closedir(directory);
    return names;
}

std::string runtimeFolder() {
    std::string runtime = environmentValue("XDG_RUNTIME_DIR");
    if (!runtime.empty()) {
        return withTrailingSlash(runtime) + "nimbora-screensaver/";
    }
    return "/tmp/nimbora-screensaver-" + std::to_string(getuid()) + "/";
}

} // namespace platform
