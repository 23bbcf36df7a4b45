#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"

// The window a blend transition fades in on, as the blend thread sees it.
// Both operations are called on the blend thread; an implementation that
// must draw on the user-interface thread hands the work over and returns.
class FramePresenter {
public:
    virtual ~FramePresenter() = default;
    // Copies what the window shows inside rect into target, at the same
    // coordinates. False when it could not.
    virtual bool copyScreen(DrawingSurface& target, const Rect& rect) = 0;
    // Shows the rectangle of one blended step. The step is the thread's
    // working surface and changes once the call returns: keep a copy, not a
    // reference. False when it could not.
    virtual bool present(const DrawingSurface& step, const Rect& rect) = 0;
};
