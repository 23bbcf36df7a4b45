#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The three clocks the program reads, behind one seam so tests can set them.
class Clock {
public:
    virtual ~Clock() = default;
    // Seconds field (0-59) of the current local time.
    virtual int localSeconds() const;
    // Seconds since 1970-01-01 UTC.
    virtual std::int64_t now() const;
    // Monotonic milliseconds, wrapping like a 32-bit tick count.
    virtual std::uint32_t tickCount() const;
};

// The clock in force; the system clock unless a test installed another.
Clock& clock();
// Installs a clock (not owned); nullptr restores the system clock.
void setClock(Clock* replacement);

// The standard ctime() text of t in local time, without the trailing newline,
// e.g. "Mon Dec  7 11:40:07 2026".
std::string ctimeText(std::int64_t t);

} // namespace platform
