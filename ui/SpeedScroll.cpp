#include "ui/SpeedScroll.h"

#include <algorithm>

std::string speedLabelText(int nPosition) {
    switch (nPosition) {
    case -1:
        return "&Show a new image every 15 seconds";
    case 0:
        return "&Show a new image every 30 seconds";
    case 1:
        return "&Show a new image every minute";
    default:
        return "&Show a new image every " + std::to_string(nPosition) + " minutes";
    }
}

int scrolledSpeedPosition(int nCurrent, SpeedScroll action, int nThumbPosition) {
    int nPosition = nCurrent;
    switch (action) {
    case SpeedScroll::LineLeft:
        nPosition = nCurrent - 1;
        break;
    case SpeedScroll::LineRight:
        nPosition = nCurrent + 1;
        break;
    case SpeedScroll::PageLeft:
        nPosition = nCurrent - 2;
        break;
    case SpeedScroll::PageRight:
        nPosition = nCurrent + 2;
        break;
    case SpeedScroll::ThumbPosition:
    case SpeedScroll::ThumbTrack:
        nPosition = nThumbPosition;
        break;
    case SpeedScroll::FarLeft:
        nPosition = kFastestSpeedPosition;
        break;
    case SpeedScroll::FarRight:
        nPosition = kSlowestSpeedPosition;
        break;
    case SpeedScroll::EndScroll:
        break;
    }
    return clampedSpeedPosition(nPosition);
}

int clampedSpeedPosition(int nPosition) {
    return std::clamp(nPosition, kFastestSpeedPosition, kSlowestSpeedPosition);
}
