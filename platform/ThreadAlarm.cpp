#include "platform/ThreadAlarm.h"

#include <cerrno>
#include <mutex>
#include <pthread.h>
#include <unistd.h>

// glibc names the field only from 2.38 on.
#ifndef sigev_notify_thread_id
#define sigev_notify_thread_id _sigev_un._tid
#endif

namespace platform {

namespace {

constexpr long kRepeatNanoseconds = 10'000'000;

void onAlarm(int) {
    // Nothing to do: the signal's only purpose is the EINTR it causes.
}

int alarmSignal() {
    return SIGRTMIN + 3;
}

// Installs the handler once; false when another part of the process already
// uses the signal.
bool alarmSignalReady() {
    static std::once_flag once;
    static bool bReady = false;
    std::call_once(once, [] {
        struct sigaction current {};
        if (sigaction(alarmSignal(), nullptr, &current) != 0 || current.sa_handler != SIG_DFL) {
            return;
        }
        struct sigaction action {};
        action.sa_handler = &onAlarm;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0; // no SA_RESTART: the blocking call must end
        bReady = sigaction(alarmSignal(), &action, nullptr) == 0;
    });
    return bReady;
}

sigset_t alarmSet() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, alarmSignal());
    return set;
}

timespec toTimespec(std::chrono::nanoseconds duration) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(duration);
    return timespec{static_cast<time_t>(seconds.count()),
                    static_cast<long>((duration - seconds).count())};
}

} // namespace

std::optional<ThreadAlarm> ThreadAlarm::arm(Clock::time_point deadline) {
    const auto remaining = deadline - Clock::now();
    if (remaining <= Clock::duration::zero() || !alarmSignalReady()) {
        return std::nullopt;
    }
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = alarmSignal();
    event.sigev_notify_thread_id = gettid();
    timer_t timer{};
    if (timer_create(CLOCK_MONOTONIC, &event, &timer) != 0) {
        return std::nullopt;
    }
    const sigset_t set = alarmSet();
    sigset_t previous;
    pthread_sigmask(SIG_UNBLOCK, &set, &previous);
    ThreadAlarm alarm(timer, sigismember(&previous, alarmSignal()) == 1);

    itimerspec schedule{};
    schedule.it_value = toTimespec(std::chrono::duration_cast<std::chrono::nanoseconds>(remaining));
    schedule.it_interval = timespec{0, kRepeatNanoseconds};
    if (timer_settime(timer, 0, &schedule, nullptr) != 0) {
        return std::nullopt;
    }
    return alarm;
}

ThreadAlarm::ThreadAlarm(ThreadAlarm&& other) noexcept
    : m_timer(other.m_timer), m_bArmed(other.m_bArmed), m_bWasBlocked(other.m_bWasBlocked) {
    other.m_bArmed = false;
}

ThreadAlarm::~ThreadAlarm() {
    if (!m_bArmed) {
        return;
    }
    const int savedErrno = errno;
    timer_delete(m_timer);
    // A signal that fired before the timer went is delivered to the no-op
    // handler while the signal is still unblocked; where the thread had it
    // blocked, it is taken off the queue so it cannot fire later.
    if (m_bWasBlocked) {
        const sigset_t set = alarmSet();
        pthread_sigmask(SIG_BLOCK, &set, nullptr);
        const timespec now{0, 0};
        while (sigtimedwait(&set, nullptr, &now) > 0) {
        }
    }
    errno = savedErrno;
}

} // namespace platform
