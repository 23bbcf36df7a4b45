#pragma once

#include "platform/UniqueFd.h"

#include <optional>
#include <string>

namespace platform {

// A lock shared between processes, named like a Windows mutex. It is an
// advisory lock on a file in runtimeFolder(); the system drops it when its
// holder dies, so an abandoned lock never blocks anyone.
//
// Waiting blocks in the kernel until the lock is free or the time is up, and
// takes turns: a waiter first takes the name's turn (a second lock file) and
// keeps it until it has the lock. A holder that lets go and asks again at
// once has to wait for the turn, so it cannot take the lock straight back
// from a process that was waiting for it.
class NamedLock {
public:
    // Waits at most timeoutMs for the lock; empty when it was not had in time
    // or the lock files cannot be opened.
    static std::optional<NamedLock> acquire(const std::string& name, int timeoutMs);

    NamedLock(NamedLock&& other) noexcept = default;
    NamedLock& operator=(NamedLock&& other) noexcept = default;
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;
    ~NamedLock() = default;

private:
    explicit NamedLock(UniqueFd fd) : m_fd(std::move(fd)) {}
    // Closing the only descriptor releases the lock. The file stays: removing
    // it would let a waiter lock an unlinked file while a newcomer locks a
    // fresh one.
    UniqueFd m_fd;
};

// The lock name used for a file: its path with every character that cannot
// stand in a file name replaced, so all processes derive the same name.
std::string lockNameForFile(const std::string& path);

} // namespace platform
