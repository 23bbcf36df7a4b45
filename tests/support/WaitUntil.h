#pragma once

#include <chrono>
#include <thread>

namespace testing_support {

// Checks condition every few milliseconds until it holds; false when it did
// not within bound. Tests wait for what they expect to happen, never for a
// fixed time: the bound is far above any real wait and only turns a hang
// into a failure.
template <typename Condition>
bool waitUntil(Condition condition,
               std::chrono::milliseconds bound = std::chrono::milliseconds(30000)) {
    const auto deadline = std::chrono::steady_clock::now() + bound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

} // namespace testing_support
