#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// Threads for the work that may wait (an upstream weather service, the ping
// database), so that the threads serving connections never do. The queue is
// bounded: when it is full, post() refuses and the caller answers "busy".
class WorkerPool {
public:
    using Job = std::function<void()>;

    WorkerPool(std::size_t threads, std::size_t maxQueued);
    ~WorkerPool();
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    // False when the queue is full or the pool is stopping.
    bool post(Job job);
    // Runs the jobs already queued, then ends the threads. Idempotent.
    void stop();

private:
    void work();

    std::size_t m_nMaxQueued;
    std::mutex m_stopMutex; // one stop() at a time joins the threads
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Job> m_jobs;
    bool m_bStopping = false;
    std::vector<std::thread> m_threads;
};
