#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"
#include "slideshow/CMonitors.h"

#include <vector>

class FrameComposer;
class FrameScreen;

// Where the frame composed for the show's own monitor goes on another one.
struct MonitorCopyPlacement {
    // The part of the frame copied, in frame coordinates; never larger than
    // the frame.
    Rect source;
    // Where that part goes, relative to the monitor's top-left corner.
    int nDestX = 0;
    int nDestY = 0;
    friend bool operator==(const MonitorCopyPlacement&, const MonitorCopyPlacement&) = default;
};

// For a frame of pw x ph on a monitor of mw x mh: the whole frame at the
// corner when the sizes are equal; the whole frame centred (with black
// around it) when it fits; otherwise the frame's middle part of the
// monitor's size, at the corner.
MonitorCopyPlacement monitorCopyPlacement(int pw, int ph, int mw, int mh);

// What a monitor shows: its rectangle's size in black, with the frame's
// copy on it. All black when the frame is not valid (the last draw did not
// complete); not valid when the monitor has no area.
DrawingSurface composeMonitorCopy(const DrawingSurface& frame, const Rect& rcMonitor);

// One monitor other than the show's and the picture it shows.
struct MonitorCopy {
    CMonitor monitor;
    DrawingSurface picture;
};

// The screens of the monitors other than the show's own.
class MonitorCopyScreens {
public:
    virtual ~MonitorCopyScreens() = default;
    // Shows each picture on its monitor, the monitor covered by it; monitors
    // not in the list any more lose their screen.
    virtual void showCopies(std::vector<MonitorCopy> copies) = 0;
};

// Every draw of a drawing window: composes and shows the frame for the
// window's client rectangle, then, unless the window is a preview, shows
// the frame's copy on every monitor other than the primary one. Without
// copy screens only the window is drawn.
void drawMultipleMonitor(FrameComposer& composer, FrameScreen& dc, const Rect& rcClient,
                         bool changeImage, const CMonitors& monitors,
                         MonitorCopyScreens* pOtherScreens);
