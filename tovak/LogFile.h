#pragma once

#include <cstddef>
#include <mutex>
#include <string>
#include <string_view>

namespace tovak {

// Appends timestamped lines to one log file. Each line goes out in a single
// write() on a descriptor opened with O_APPEND, so lines from several threads
// or processes never interleave. When the file grows past its limit it is
// renamed to "<path>.1" (replacing the older one) and a new file is begun, so
// the log never takes more than about twice the limit.
class LogFile {
public:
    static constexpr std::size_t kDefaultMaxBytes = 1024 * 1024;

    explicit LogFile(std::size_t maxBytes = kDefaultMaxBytes) : m_nMaxBytes(maxBytes) {}

    // Writes "<YYYY-MM-DD HH:MM:SS.mmm> <text>\n" to path, creating its
    // folder when missing. Line breaks inside text become blanks.
    bool append(const std::string& path, std::string_view text);

    // "<local time with milliseconds> " for the start of a line.
    static std::string timestamp();

private:
    void rotateIfFull(const std::string& path, int fd);

    std::size_t m_nMaxBytes;
    std::mutex m_mutex;
};

// The log of this library: UserDataFolder() + "screensaver.log".
std::string logFilePath();

// NIMBORA_LOGGING=1 or 0 when set, else the setting "tovak"/"logging" == 1.
bool loggingEnabled();

} // namespace tovak
