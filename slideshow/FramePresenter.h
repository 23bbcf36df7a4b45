#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"

// The window a blend transition fades in on, as the blend thread sees it.
// Every operation is called on the blend thread; an implementation that must
// draw on the user-interface thread hands the work over and returns.
class FramePresenter {
public:
    virtual ~FramePresenter() = default;
    // Copies what the window shows inside rect into target, at the same
    // coordinates. False when it could not.
    virtual bool copyScreen(DrawingSurface& target, const Rect& rect) = 0;
    // Shows the rectangle of one blended step. The presenter may go on
    // drawing from step after it returns, without copying it: until the
    // thread reclaims it, or until the presenter is deleted. False when it
    // could not.
    virtual bool present(DrawingSurface& step, const Rect& rect) = 0;
    // Returns once the window no longer reads step, a surface presented
    // before, so that the thread may write the next step into it. A step
    // presented but not drawn yet is dropped: a newer one follows. The
    // thread never calls cairo on a step: the window's thread may use it.
    virtual void reclaim(const DrawingSurface& step) = 0;
};
