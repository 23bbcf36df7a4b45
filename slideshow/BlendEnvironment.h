#pragma once

#include "imaging/DrawingSurface.h"
#include "slideshow/BlendEvents.h"

#include <chrono>

// What a blend transition needs besides its window: surfaces to work on,
// the blend itself and the pause between two steps. Tests substitute their
// own; the defaults are the real thing.
class BlendEnvironment {
public:
    virtual ~BlendEnvironment() = default;
    // An invalid surface when it cannot be made.
    virtual DrawingSurface createSurface(int nWidth, int nHeight);
    // Writes above blended over below with one alpha for every pixel
    // (0..255) into target, in one pass.
    virtual bool alphaBlend(DrawingSurface& target, const DrawingSurface& below,
                            const DrawingSurface& above, int nAlpha);
    // Waits for the duration; returns early once stopEvent is set, so that a
    // stop request does not wait out the pause.
    virtual void pause(std::chrono::milliseconds duration, BlendEvent& stopEvent);
};

BlendEnvironment& realBlendEnvironment();
