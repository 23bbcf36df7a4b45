#include "slideshow/SpeedInterval.h"

#include <algorithm>

SpeedInterval speedInterval(int nSpeedInMinutes, bool speedUp, int nSeconds) {
    const int nSpeed = std::clamp(nSpeedInMinutes, -1, MAX_SPEED_MINUTES);
    SpeedInterval interval;
    if (nSpeed == -1) {
        interval.nTableMs = 15000;
        interval.pRowText = "15 seconds setting; nSpeedInMinutes = ";
    } else if (nSpeed == 0) {
        interval.nTableMs = 30000;
        interval.pRowText = "30 seconds setting; nSpeedInMinutes = ";
    } else {
        interval.nTableMs = nSpeed * 60000;
        interval.pRowText = "minute(s) setting; nSpeedInMinutes = ";
    }
    // The remainder keeps the sign of the seconds, so an unreadable clock
    // (-1) gives no jitter at all.
    interval.nTimerMs = speedUp ? 4500 : interval.nTableMs - 1015 * (nSeconds % 3 + 1);
    return interval;
}

std::string speedTraceText(int nSpeedInMinutes, const SpeedInterval& interval) {
    return std::string(interval.pRowText) + std::to_string(nSpeedInMinutes) +
           ", t = " + std::to_string(interval.nTableMs);
}
