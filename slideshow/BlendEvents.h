#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

// A signalling event between the drawing window and its blend thread. A
// manual-reset event stays set until reset; an auto-reset event lets one
// successful wait through and clears itself again.
class BlendEvent {
public:
    enum class ResetMode { MANUAL, AUTO };

    explicit BlendEvent(ResetMode mode, bool bInitiallySet = false);
    BlendEvent(const BlendEvent&) = delete;
    BlendEvent& operator=(const BlendEvent&) = delete;

    void set();
    void reset();
    // Waits without a time limit until the event is set.
    void wait();
    // Waits at most the duration; true when the event was set. A zero
    // duration polls.
    bool waitFor(std::chrono::milliseconds duration);
    bool poll() { return waitFor(std::chrono::milliseconds(0)); }

private:
    // With the lock held: an auto-reset event clears itself once waited for.
    void consumeSignal();

    const ResetMode m_mode;
    bool m_bSet;
    std::mutex m_mutex;
    std::condition_variable m_changed;
};

// Set once by every blend thread as it ends; the drawing window waits on it
// when it stops a transition. One blending window at a time uses it.
extern BlendEvent g_blendFinishedEvent;
