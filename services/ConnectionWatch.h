#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <unordered_map>

// The server's open connections and, for each, since when it has been
// waiting for a request's headers: since it was opened, or since its last
// answer went out. One that waits too long (a client that trickles its
// headers, or sends nothing) is shut down; the HTTP library then sees the
// end of the stream and closes it in its own thread. When most connection
// slots are taken the wait allowed shrinks, so that clients that do send a
// request are let in rather than left in the backlog.
class ConnectionWatch {
public:
    using Milliseconds = std::int64_t; // of a monotonic clock

    class Entry {
    public:
        Entry(int fd, Milliseconds now) : m_nFd(fd), m_waitingSince(now) {}
        // The request's headers are in: the wait is over until its answer went out.
        void requestArrived() { m_waitingSince.store(kNotWaiting, std::memory_order_relaxed); }
        void answered(Milliseconds now) { m_waitingSince.store(now, std::memory_order_relaxed); }
        // True once the watch has shut the connection down.
        bool cut() const { return m_bCut.load(std::memory_order_acquire); }

    private:
        friend class ConnectionWatch;
        static constexpr Milliseconds kNotWaiting = -1;
        int m_nFd;
        std::atomic<Milliseconds> m_waitingSince;
        std::atomic<bool> m_bCut{false};
    };

    // Under pressure (this share of the slots taken) the wait allowed is
    // kPressureWait at most.
    static constexpr double kPressureShare = 0.9;
    static constexpr Milliseconds kPressureWait = 1000;
    // At most this many are shut down per sweep, the longest waiting first:
    // thousands of connections opened together would otherwise all close,
    // and come back, in one burst that stalls everyone else's answers.
    static constexpr std::size_t kMaxCutsPerSweep = 128;

    ConnectionWatch(Milliseconds headerTimeout, std::size_t capacity)
        : m_headerTimeout(headerTimeout), m_nCapacity(capacity) {}

    // The entry stays valid until closed(entry).
    Entry* opened(int fd, Milliseconds now);
    // Call before the descriptor is closed: the watch never touches it again.
    void closed(Entry* entry);
    // Shuts down the connections that waited too long (at most
    // kMaxCutsPerSweep of them); returns how many.
    std::size_t sweep(Milliseconds now);
    std::size_t size() const;

private:
    Milliseconds m_headerTimeout;
    std::size_t m_nCapacity;
    mutable std::mutex m_mutex;
    std::unordered_map<const Entry*, std::unique_ptr<Entry>> m_entries;
};
