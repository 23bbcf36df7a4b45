#include "platform/Process.h"

#include "platform/PollPause.h"

#include <cerrno>
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace platform {

namespace {

int exitCodeOf(int status) {
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

Process Process::start(const std::vector<std::string>& argv) {
    Process process;
    if (argv.empty() || argv.front().empty()) {
        process.m_nStartError = EINVAL;
        return process;
    }
    std::vector<char*> arguments;
    arguments.reserve(argv.size() + 1);
    for (const std::string& argument : argv) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);

    // The child starts with no blocked signals and default dispositions for
    // the ones a starter commonly changes.
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t empty;
    sigemptyset(&empty);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    sigaddset(&defaults, SIGCHLD);
    posix_spawnattr_setsigmask(&attributes, &empty);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    pid_t pid = -1;
    int error =
        posix_spawnp(&pid, arguments.front(), nullptr, &attributes, arguments.data(), environ);
    posix_spawnattr_destroy(&attributes);
    if (error != 0) {
        process.m_nStartError = error;
        return process;
    }
    process.m_nPid = pid;
    return process;
}

Process::Process(Process&& other) noexcept
    : m_nPid(other.m_nPid), m_nStartError(other.m_nStartError) {
    other.m_nPid = -1;
    other.m_nStartError = 0;
}

Process& Process::operator=(Process&& other) noexcept {
    if (this != &other) {
        m_nPid = other.m_nPid;
        m_nStartError = other.m_nStartError;
        other.m_nPid = -1;
        other.m_nStartError = 0;
    }
    return *this;
}

int Process::wait(int timeoutMs) {
    if (m_nPid <= 0) {
        return -1;
    }
    int status = 0;
    if (timeoutMs < 0) {
        pid_t result;
        do {
            result = waitpid(m_nPid, &status, 0);
        } while (result < 0 && errno == EINTR);
        m_nPid = -1;
        return result > 0 ? exitCodeOf(status) : -1;
    }
    PollPause pause(PollPause::Clock::now() + std::chrono::milliseconds(timeoutMs));
    for (;;) {
        pid_t result = waitpid(m_nPid, &status, WNOHANG);
        if (result == m_nPid) {
            m_nPid = -1;
            return exitCodeOf(status);
        }
        if (result < 0 && errno != EINTR) {
            // Already reaped elsewhere (or SIGCHLD ignored): nothing to wait for.
            m_nPid = -1;
            return -1;
        }
        if (!pause.sleep()) {
            return -1;
        }
    }
}

} // namespace platform
