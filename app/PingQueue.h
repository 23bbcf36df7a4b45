#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

// Sends the pings that go through the framework library on a thread of
// their own, one after the other in the order they were posted, so that a
// slow or dead service never holds up the program: posting returns at once.
class PingQueue {
public:
    PingQueue();
    // Waits for the ping in flight (bounded by the library's own timeouts).
    ~PingQueue();
    PingQueue(const PingQueue&) = delete;
    PingQueue& operator=(const PingQueue&) = delete;

    void post(std::string url);
    // Waits at most bound for every posted ping to have been sent; true when
    // none is left.
    bool waitUntilSent(std::chrono::milliseconds bound);

private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::deque<std::string> m_urls;
    bool m_bSending = false;
    bool m_bStopping = false;
    std::thread m_worker;
};

// The queue in force, or null: pings are then sent at once on the caller's
// thread.
PingQueue* pingQueue();
// Installs a queue (not owned); nullptr goes back to sending at once.
void setPingQueue(PingQueue* queue);

// Posts url to the queue in force or, when there is none, sends it at once.
// The answer is thrown away; nothing is sent without the framework library.
void sendPing(const std::string& url);
