#pragma once

#include "platform/Process.h"

#include <chrono>
#include <string>
#include <vector>

namespace platform {

// Opens a web address in the user's browser: with xdg-open first and, when
// that cannot, with each command of $BROWSER in turn (a list separated by
// ':', "%s" standing for the address, which otherwise goes last). The
// address is always one argument of its own; no shell sees it.
//
// Nothing waits: poll() moves on and says when the outcome is known. A
// command that ends with status 0 opened the address; one still running
// after kSettleTime is taken to be the browser itself and to have opened
// it (it is then left to run). Results follow the shell's convention:
// above 32 the address was opened, otherwise the reason it was not.
class UrlOpening {
public:
    static constexpr int kOpened = 33;
    static constexpr std::chrono::milliseconds kSettleTime{2000};

    UrlOpening(std::string url, const std::string& browserVariable);
    ~UrlOpening();
    UrlOpening(const UrlOpening&) = delete;
    UrlOpening& operator=(const UrlOpening&) = delete;

    // True once the outcome is known.
    bool poll();
    bool finished() const { return m_bFinished; }
    int result() const { return m_nResult; }

private:
    bool startNext();

    std::vector<std::vector<std::string>> m_commands;
    std::size_t m_nNext = 0;
    Process m_current;
    std::chrono::steady_clock::time_point m_startedAt;
    int m_nResult;
    bool m_bFinished = false;
};

// The commands $BROWSER names for url, each as its argument list.
std::vector<std::vector<std::string>> browserCommands(const std::string& browserVariable,
                                                      const std::string& url);

// The result for a command that could not start (errno) or that ended
// unsuccessfully (its exit status; -1 when a signal ended it).
int resultForStartError(int nErrno);
int resultForExitStatus(int nStatus);

// Only web addresses are opened: anything else could be taken by a browser
// or xdg-open as an option or a local file.
bool isWebAddress(const std::string& url);

} // namespace platform
