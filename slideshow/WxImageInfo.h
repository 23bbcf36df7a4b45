#pragma once

#include "imaging/Colorref.h"

#include <string>

// One photograph of the active pack with everything the pack says about it.
// Copied by value; the drawing window keeps the one on screen.
struct WxImageInfo {
    // Corner of the weather panel (BOXLOCATION_*) and its offsets in pixels.
    int boxlocation = 0;
    int boxOffsetX = 0;
    int boxOffsetY = 0;
    // Resource name of the photo, "#<group><image as two digits>"; empty
    // when no photo was chosen.
    std::string imageIdentifier;
    // 1-based; -1 until chosen.
    int group = -1;
    int image = -1;
    COLORREF borderColor = 0;
    COLORREF weatherTextColor = 0;
    COLORREF temperatureTextColor = 0xFFFFFF;
    COLORREF locationTextColor = 0xFFFFFF;
    std::string iconPath;
    // Where a photo larger than the screen was cropped; written by the
    // drawing window, read by the panel layout.
    int cropShiftX = 0;
    int cropShiftY = 0;

    bool operator==(const WxImageInfo&) const = default;
};
