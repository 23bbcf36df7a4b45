#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace platform {

// A started child process; the owner waits for it or lets it run on.
class Process {
public:
    // Starts argv[0] (searched in PATH when it has no '/') with the given
    // arguments. isRunning() is false when the start failed.
    static Process start(const std::vector<std::string>& argv);

    Process() = default;
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    // Does not kill or wait: a started program may outlive its starter.
    ~Process() = default;

    bool isRunning() const { return m_nPid > 0; }
    pid_t pid() const { return m_nPid; }
    // Waits at most timeoutMs (negative: forever). The exit code, or -1 when
    // the process did not end in time or ended by a signal. Once the process
    // has ended and been reaped, isRunning() is false.
    int wait(int timeoutMs = -1);
    // Errno of a failed start, else 0.
    int startError() const { return m_nStartError; }

private:
    pid_t m_nPid = -1;
    int m_nStartError = 0;
};

} // namespace platform
