#pragma once

#include "imaging/Rect.h"

#include <string>

// Where the weather panel (the blue box) of a photo lies on the frame.
struct BlueBoxPlacement {
    bool bOkToShowWeather = false;
    // The box's rectangle; (0, 0, W, H) when the photo has no box.
    Rect rect;
    // Where and how large its artwork is drawn: -1 by -1 (its own size) in
    // a corner, 0 by 0 (nothing) without a box.
    int nDrawWidth = 0;
    int nDrawHeight = 0;
};

// Places a box of nWidth by nHeight in the corner nBoxLocation of the photo
// at rectImageLocation, nOffsetX and nOffsetY pixels in from its edges
// (negative offsets move it outwards; nothing is clamped).
BlueBoxPlacement placeBlueBox(int nBoxLocation, int nOffsetX, int nOffsetY, int nWidth, int nHeight,
                              const Rect& rectImageLocation);

// BOXLOCATION_UPPER_LEFT ... as the trace lines print them; every other
// value is "BOXLOCATION_NO_BOX (or is defaulting to BOXLOCATION_NO_BOX)".
std::string boxLocationTraceName(int nBoxLocation);

// "<name> values: .left = L, .top = T, .right = R, .bottom = B"
std::string rectTraceText(const char* szName, const Rect& rect);
