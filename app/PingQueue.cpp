#include "app/PingQueue.h"

#include "app/TovakInterface.h"
#include "net/TovakError.h"

#include <atomic>

namespace {

std::atomic<PingQueue*> g_pPingQueue{nullptr};

void sendThroughFramework(const std::string& url) {
    if (g_pTovakInterface == nullptr) {
        return;
    }
    TOVAKERROR error;
    clearTovakError(&error);
    g_pTovakInterface->queryUrl(url, &error);
}

} // namespace

PingQueue::PingQueue() : m_worker([this] { run(); }) {}

PingQueue::~PingQueue() {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_bStopping = true;
        m_urls.clear();
    }
    m_wake.notify_all();
    m_worker.join();
}

void PingQueue::post(std::string url) {
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_urls.push_back(std::move(url));
    }
    m_wake.notify_all();
}

bool PingQueue::waitUntilSent(std::chrono::milliseconds bound) {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_idle.wait_for(lock, bound, [this] { return m_urls.empty() && !m_bSending; });
}

void PingQueue::run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_bStopping || !m_urls.empty(); });
        if (m_bStopping) {
            break;
        }
        const std::string url = std::move(m_urls.front());
        m_urls.pop_front();
        m_bSending = true;
        lock.unlock();
        sendThroughFramework(url);
        lock.lock();
        m_bSending = false;
        m_idle.notify_all();
    }
    m_bSending = false;
    m_idle.notify_all();
}

PingQueue* pingQueue() {
    return g_pPingQueue.load();
}

void setPingQueue(PingQueue* queue) {
    g_pPingQueue.store(queue);
}

void sendPing(const std::string& url) {
    if (PingQueue* queue = pingQueue()) {
        queue->post(url);
    } else {
        sendThroughFramework(url);
    }
}
