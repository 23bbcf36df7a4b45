#include "tovak/LogFile.h"

#include "app/SettingsStore.h"
#include "platform/Folders.h"
#include "platform/UniqueFd.h"
#include "tovak/TovakSettings.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tovak {

namespace {

bool writeAll(int fd, const std::string& data) {
    std::size_t written = 0;
    while (written < data.size()) {
        ssize_t n = ::write(fd, data.data() + written, data.size() - written);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    std::string::size_type slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

std::string LogFile::timestamp() {
    using namespace std::chrono;
    system_clock::time_point now = system_clock::now();
    std::time_t seconds = system_clock::to_time_t(now);
    long millis =
        static_cast<long>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    char text[96];
    std::snprintf(text, sizeof(text), "%04d-%02d-%02d %02d:%02d:%02d.%03ld ", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  millis);
    return text;
}

bool LogFile::append(const std::string& path, std::string_view text) {
    std::string line = timestamp();
    line.reserve(line.size() + text.size() + 1);
    for (char c : text) {
        line += (c == '\n' || c == '\r') ? ' ' : c;
    }
    line += '\n';

    std::lock_guard<std::mutex> lock(m_mutex);
    std::string folder = folderOf(path);
    if (!folder.empty() && !platform::folderExists(folder)) {
        platform::createFolders(folder);
    }
    UniqueFd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
    if (!fd) {
        return false;
    }
    bool ok = writeAll(fd.get(), line);
    rotateIfFull(path, fd.get());
    return ok;
}

void LogFile::rotateIfFull(const std::string& path, int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0 || static_cast<std::size_t>(info.st_size) < m_nMaxBytes) {
        return;
    }
    std::string older = path + ".1";
    ::rename(path.c_str(), older.c_str());
}

std::string logFilePath() {
    return UserDataFolder() + kLogFileName;
}

bool loggingEnabled() {
    if (const char* forced = std::getenv(kLoggingEnvironment)) {
        if (std::string(forced) == "1") {
            return true;
        }
        if (std::string(forced) == "0") {
            return false;
        }
    }
    return SettingsStore::GetInt(kTovakSubsection, kLoggingKey, 0) == 1;
}

} // namespace tovak
