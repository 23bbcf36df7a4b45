#pragma once

#include <string>

// The speed scroll bar of the settings dialog: its range, what its
// positions say, and how each scroll action moves it.

inline constexpr int kSlowestSpeedPosition = 10; // ten minutes
inline constexpr int kFastestSpeedPosition = -1; // fifteen seconds

// The text of the group box above the bar for position p ("&Show a new
// image every ..."), with its mnemonic.
std::string speedLabelText(int nPosition);

// What the user did to the bar.
enum class SpeedScroll {
    LineLeft,
    LineRight,
    PageLeft,
    PageRight,
    ThumbPosition, // the thumb was dropped at a position
    ThumbTrack,    // the thumb is being dragged through a position
    FarLeft,       // Home
    FarRight,      // End
    EndScroll,     // the action is over; nothing moves
};

// The position after the action, from the bar's current position; within
// the bar's range whatever the action or the position it carries.
int scrolledSpeedPosition(int nCurrent, SpeedScroll action, int nThumbPosition);

// A position inside the bar's range: what the bar shows for a stored speed.
int clampedSpeedPosition(int nPosition);
