#include "platform/UrlOpening.h"

#include <cerrno>
#include <sstream>
#include <thread>

namespace platform {

namespace {

// The shell's results that mean the same on this system.
constexpr int kFileNotFound = 2;
constexpr int kAccessDenied = 5;
constexpr int kOutOfMemory = 8;
constexpr int kBadFormat = 11;
constexpr int kNoAssociation = 31;
// Anything else: "Unknown Error (4)", as xdg-open calls a failed action.
constexpr int kFailed = 4;

std::string expanded(const std::string& word, const std::string& url, bool& bUsedUrl) {
    std::string text;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == 's') {
            text += url;
            bUsedUrl = true;
            ++i;
        } else if (word[i] == '%' && i + 1 < word.size() && word[i + 1] == '%') {
            text += '%';
            ++i;
        } else {
            text += word[i];
        }
    }
    return text;
}

// A command left running is the user's browser: it must not stay a zombie
// of ours once it ends.
void reapInBackground(Process process) {
    std::thread([process = std::move(process)]() mutable { process.wait(); }).detach();
}

} // namespace

std::vector<std::vector<std::string>> browserCommands(const std::string& browserVariable,
                                                      const std::string& url) {
    std::vector<std::vector<std::string>> commands;
    std::stringstream entries(browserVariable);
    for (std::string entry; std::getline(entries, entry, ':');) {
        std::vector<std::string> argv;
        bool bUsedUrl = false;
        std::stringstream words(entry);
        for (std::string word; words >> word;) {
            argv.push_back(expanded(word, url, bUsedUrl));
        }
        if (argv.empty()) {
            continue;
        }
        if (!bUsedUrl) {
            argv.push_back(url);
        }
        commands.push_back(std::move(argv));
    }
    return commands;
}

int resultForStartError(int nErrno) {
    switch (nErrno) {
    case ENOENT:
    case ENOTDIR:
        return kFileNotFound;
    case EACCES:
    case EPERM:
        return kAccessDenied;
    case ENOMEM:
    case EAGAIN:
        return kOutOfMemory;
    case ENOEXEC:
        return kBadFormat;
    default:
        return kFailed;
    }
}

int resultForExitStatus(int nStatus) {
    switch (nStatus) {
    case 2:   // xdg-open: the file does not exist
    case 127: // a shell: command not found
        return kFileNotFound;
    case 3: // xdg-open: no tool to open it with
        return kNoAssociation;
    default:
        return kFailed;
    }
}

bool isWebAddress(const std::string& url) {
    return url.rfind("http://", 0) == 0 || url.rfind("https://", 0) == 0;
}

UrlOpening::UrlOpening(std::string url, const std::string& browserVariable)
    : m_nResult(kFileNotFound) {
    if (!isWebAddress(url)) {
        m_bFinished = true;
        return;
    }
    m_commands.push_back({"xdg-open", url});
    for (std::vector<std::string>& command : browserCommands(browserVariable, url)) {
        m_commands.push_back(std::move(command));
    }
}

UrlOpening::~UrlOpening() {
    if (m_current.isRunning()) {
        reapInBackground(std::move(m_current));
    }
}

bool UrlOpening::startNext() {
    while (m_nNext < m_commands.size()) {
        m_current = Process::start(m_commands[m_nNext++]);
        if (m_current.isRunning()) {
            m_startedAt = std::chrono::steady_clock::now();
            return true;
        }
        m_nResult = resultForStartError(m_current.startError());
    }
    return false;
}

bool UrlOpening::poll() {
    while (!m_bFinished) {
        if (!m_current.isRunning() && !startNext()) {
            m_bFinished = true;
            break;
        }
        const int nStatus = m_current.wait(0);
        if (m_current.isRunning()) {
            if (std::chrono::steady_clock::now() - m_startedAt < kSettleTime) {
                return false;
            }
            reapInBackground(std::move(m_current));
            m_current = Process();
            m_nResult = kOpened;
            m_bFinished = true;
        } else if (nStatus == 0) {
            m_nResult = kOpened;
            m_bFinished = true;
        } else {
            m_nResult = resultForExitStatus(nStatus);
        }
    }
    return true;
}

} // namespace platform
