#include "services/WorkerPool.h"

WorkerPool::WorkerPool(std::size_t threads, std::size_t maxQueued) : m_nMaxQueued(maxQueued) {
    for (std::size_t i = 0; i < threads; ++i) {
        m_threads.emplace_back([this] { work(); });
    }
}

WorkerPool::~WorkerPool() {
    stop();
}

bool WorkerPool::post(Job job) {
    {
        std::lock_guard lock(m_mutex);
        if (m_bStopping || m_jobs.size() >= m_nMaxQueued) {
            return false;
        }
        m_jobs.push_back(std::move(job));
    }
    m_wake.notify_one();
    return true;
}

void WorkerPool::stop() {
    std::lock_guard stopping(m_stopMutex);
    {
        std::lock_guard lock(m_mutex);
        m_bStopping = true;
    }
    m_wake.notify_all();
    for (auto& thread : m_threads) {
        if (thread.joinable()) {
            thread.join();
        }
    }
}

void WorkerPool::work() {
    for (;;) {
        Job job;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_bStopping || !m_jobs.empty(); });
            if (m_jobs.empty()) {
                return; // stopping, and nothing left to run
            }
            job = std::move(m_jobs.front());
            m_jobs.pop_front();
        }
        job();
    }
}
