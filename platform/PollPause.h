#pragma once

#include <algorithm>
#include <chrono>
#include <thread>

namespace platform {

// The pauses of a polling wait that ends at a deadline: short at first so
// an uncontended hand-over is quick, then up to 10 ms so a long wait does
// not spin.
class PollPause {
public:
    using Clock = std::chrono::steady_clock;

    explicit PollPause(Clock::time_point deadline) : m_deadline(deadline) {}

    // Sleeps before the next try; false, without sleeping, once the deadline
    // has passed.
    bool sleep() {
        const auto now = Clock::now();
        if (now >= m_deadline) {
            return false;
        }
        const auto remaining =
            std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - now);
        std::this_thread::sleep_for(std::min(m_pause, remaining + std::chrono::milliseconds(1)));
        m_pause = std::min(m_pause * 2, std::chrono::milliseconds(10));
        return true;
    }

private:
    Clock::time_point m_deadline;
    std::chrono::milliseconds m_pause{1};
};

} // namespace platform
