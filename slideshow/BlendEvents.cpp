#include "slideshow/BlendEvents.h"

BlendEvent g_blendFinishedEvent(BlendEvent::ResetMode::AUTO);

BlendEvent::BlendEvent(ResetMode mode, bool bInitiallySet) : m_mode(mode), m_bSet(bInitiallySet) {}

void BlendEvent::set() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bSet = true;
    }
    if (m_mode == ResetMode::AUTO) {
        m_changed.notify_one();
    } else {
        m_changed.notify_all();
    }
}

void BlendEvent::reset() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bSet = false;
}

void BlendEvent::consumeSignal() {
    if (m_mode == ResetMode::AUTO) {
        m_bSet = false;
    }
}

void BlendEvent::wait() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_bSet; });
    consumeSignal();
}

bool BlendEvent::waitFor(std::chrono::milliseconds duration) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_changed.wait_for(lock, duration, [this] { return m_bSet; })) {
        return false;
    }
    consumeSignal();
    return true;
}
