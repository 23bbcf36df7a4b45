#pragma once

#include <string>

// How often the show changes its photo for a speed setting: -1 is 15
// seconds, 0 is 30 seconds, n above 0 is n minutes.
struct SpeedInterval {
    // The interval of the speed table, in milliseconds.
    int nTableMs = 0;
    // What the timer is started with: the table's interval less a jitter of
    // 1015 ms times (seconds mod 3 + 1), or 4500 ms when sped up.
    int nTimerMs = 0;
    // The trace text of the row used, to be followed by the speed.
    const char* pRowText = "";
};

// Speeds below -1 count as -1, and speeds too large for a timer count as
// the largest that still fits. nSeconds is the local time's seconds field
// (0 to 59, or -1 when it could not be read).
SpeedInterval speedInterval(int nSpeedInMinutes, bool speedUp, int nSeconds);

// Largest speed in minutes whose interval still fits a millisecond timer.
inline constexpr int MAX_SPEED_MINUTES = 35000;

// "<row text><n>, t = <t>" as the speed change traces it.
std::string speedTraceText(int nSpeedInMinutes, const SpeedInterval& interval);
