#pragma once

#include <chrono>
#include <csignal>
#include <ctime>
#include <optional>

namespace platform {

// Interrupts the calling thread's blocking system calls once a deadline has
// passed: a timer signals this thread at the deadline and every 10 ms after
// it, and the signal's handler is installed without SA_RESTART, so a call
// such as flock() that blocks past the deadline returns with EINTR. The
// repeats cover a signal that lands just before the call starts to block.
// The caller checks the deadline itself after each EINTR.
//
// One real-time signal is set aside for this, installed on first use. When
// something else in the process already handles that signal, or the timer
// cannot be made, no alarm is armed and the caller has to poll instead.
class ThreadAlarm {
public:
    using Clock = std::chrono::steady_clock;

    // Empty when the deadline has passed already or no alarm can be armed.
    static std::optional<ThreadAlarm> arm(Clock::time_point deadline);

    ThreadAlarm(ThreadAlarm&& other) noexcept;
    ThreadAlarm& operator=(ThreadAlarm&&) = delete;
    ThreadAlarm(const ThreadAlarm&) = delete;
    ThreadAlarm& operator=(const ThreadAlarm&) = delete;
    // Stops the timer; a signal still pending is taken without effect.
    ~ThreadAlarm();

private:
    ThreadAlarm(timer_t timer, bool bWasBlocked) : m_timer(timer), m_bWasBlocked(bWasBlocked) {}

    timer_t m_timer{};
    bool m_bArmed = true;
    bool m_bWasBlocked = false;
};

} // namespace platform
