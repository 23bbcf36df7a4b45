#include "services/ConnectionWatch.h"

#include <algorithm>
#include <sys/socket.h>

ConnectionWatch::Entry* ConnectionWatch::opened(int fd, Milliseconds now) {
    auto entry = std::make_unique<Entry>(fd, now);
    Entry* handle = entry.get();
    std::lock_guard lock(m_mutex);
    m_entries.emplace(handle, std::move(entry));
    return handle;
}

void ConnectionWatch::closed(Entry* entry) {
    std::lock_guard lock(m_mutex);
    m_entries.erase(entry);
}

std::size_t ConnectionWatch::sweep(Milliseconds now) {
    std::lock_guard lock(m_mutex);
    const bool pressed =
        static_cast<double>(m_entries.size()) >= kPressureShare * static_cast<double>(m_nCapacity);
    const Milliseconds allowed =
        pressed ? std::min(m_headerTimeout, kPressureWait) : m_headerTimeout;
    std::size_t cut = 0;
    for (auto& [handle, entry] : m_entries) {
        const Milliseconds since = entry->m_waitingSince.load(std::memory_order_relaxed);
        if (since == Entry::kNotWaiting || now - since < allowed || entry->cut()) {
            continue;
        }
        // The descriptor stays open while it is listed: closed() comes first.
        ::shutdown(entry->m_nFd, SHUT_RDWR);
        entry->m_bCut.store(true, std::memory_order_relaxed);
        ++cut;
    }
    return cut;
}

std::size_t ConnectionWatch::size() const {
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}
