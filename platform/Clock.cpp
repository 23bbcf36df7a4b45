#include "platform/Clock.h"

#include <atomic>
#include <cstdio>
#include <ctime>

namespace platform {

namespace {

Clock g_systemClock;
std::atomic<Clock*> g_pInstalledClock{nullptr};

} // namespace

int Clock::localSeconds() const {
    std::time_t t = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&t, &local) == nullptr) {
        return 0;
    }
    // A leap second shows as 60; the callers expect 0-59.
    return local.tm_sec > 59 ? 59 : local.tm_sec;
}

std::int64_t Clock::now() const {
    return static_cast<std::int64_t>(std::time(nullptr));
}

std::uint32_t Clock::tickCount() const {
    timespec monotonic{};
    clock_gettime(CLOCK_MONOTONIC, &monotonic);
    std::uint64_t ms = static_cast<std::uint64_t>(monotonic.tv_sec) * 1000u +
                       static_cast<std::uint64_t>(monotonic.tv_nsec) / 1000000u;
    return static_cast<std::uint32_t>(ms);
}

Clock& clock() {
    Clock* installed = g_pInstalledClock.load();
    return installed != nullptr ? *installed : g_systemClock;
}

void setClock(Clock* replacement) {
    g_pInstalledClock.store(replacement);
}

std::string ctimeText(std::int64_t t) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::time_t value = static_cast<std::time_t>(t);
    std::tm local{};
    if (localtime_r(&value, &local) == nullptr || local.tm_wday < 0 || local.tm_wday > 6 ||
        local.tm_mon < 0 || local.tm_mon > 11) {
        return {};
    }
    // The layout of ctime(), built here because ctime() itself is undefined
    // for years past 9999 and not thread-safe.
    char text[64];
    std::snprintf(text, sizeof text, "%.3s %.3s%3d %.2d:%.2d:%.2d %lld", kDays[local.tm_wday],
                  kMonths[local.tm_mon], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  static_cast<long long>(local.tm_year) + 1900);
    return text;
}

} // namespace platform
