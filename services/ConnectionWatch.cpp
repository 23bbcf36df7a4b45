#include "services/ConnectionWatch.h"

#include <algorithm>
#include <sys/socket.h>
#include <utility>
#include <vector>

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
    std::vector<std::pair<Milliseconds, Entry*>> due;
    for (auto& [handle, entry] : m_entries) {
        const Milliseconds since = entry->m_waitingSince.load(std::memory_order_relaxed);
        if (since != Entry::kNotWaiting && now - since >= allowed && !entry->cut()) {
            due.emplace_back(since, entry.get());
        }
    }
    if (due.size() > kMaxCutsPerSweep) {
        std::nth_element(due.begin(), due.begin() + kMaxCutsPerSweep, due.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        due.resize(kMaxCutsPerSweep);
    }
    for (const auto& [since, entry] : due) {
        // Marked first: the library may log the end before shutdown() returns.
        // The descriptor stays open while it is listed: closed() comes first.
        entry->m_bCut.store(true, std::memory_order_release);
        ::shutdown(entry->m_nFd, SHUT_RDWR);
    }
    return due.size();
}

std::size_t ConnectionWatch::size() const {
    std::lock_guard lock(m_mutex);
    return m_entries.size();
}
