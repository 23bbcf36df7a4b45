#include "slideshow/MonitorCopy.h"

#include "imaging/Compositor.h"
#include "slideshow/FrameComposer.h"

#include <algorithm>

MonitorCopyPlacement monitorCopyPlacement(int pw, int ph, int mw, int mh) {
    MonitorCopyPlacement placement;
    if (pw <= mw && ph <= mh) {
        placement.source = Rect{0, 0, pw, ph};
        placement.nDestX = (mw - pw) / 2;
        placement.nDestY = (mh - ph) / 2;
        return placement;
    }
    const int sx = pw > mw ? (pw - mw) / 2 : 0;
    const int sy = ph > mh ? (ph - mh) / 2 : 0;
    // A frame narrower (or shorter) than the monitor in the other direction
    // has nothing beyond its edge: that part of the monitor stays black.
    placement.source = Rect{sx, sy, std::min(sx + mw, pw), std::min(sy + mh, ph)};
    return placement;
}

DrawingSurface composeMonitorCopy(const DrawingSurface& frame, const Rect& rcMonitor) {
    DrawingSurface picture = DrawingSurface::create(rcMonitor.width(), rcMonitor.height());
    if (!picture.isValid()) {
        return picture;
    }
    picture.fill(0x000000);
    if (frame.isValid()) {
        const MonitorCopyPlacement placement = monitorCopyPlacement(
            frame.width(), frame.height(), rcMonitor.width(), rcMonitor.height());
        Compositor compositor(picture);
        compositor.copyPart(frame, placement.source, placement.nDestX, placement.nDestY);
        compositor.done();
    }
    return picture;
}

void drawMultipleMonitor(FrameComposer& composer, FrameScreen& dc, const Rect& rcClient,
                         bool changeImage, const CMonitors& monitors,
                         MonitorCopyScreens* pOtherScreens) {
    composer.Draw(dc, rcClient, changeImage);
    if (composer.isPreview() || pOtherScreens == nullptr) {
        return;
    }
    // A blend on the window goes on on its thread; the other monitors get
    // the finished frame at once.
    std::vector<MonitorCopy> copies;
    for (int i = 0; i < monitors.getCount(); ++i) {
        const CMonitor monitor = monitors.getMonitor(i);
        if (monitor.isPrimaryMonitor()) {
            continue;
        }
        Rect rcMonitor;
        monitor.getMonitorRect(rcMonitor);
        copies.push_back({monitor, composeMonitorCopy(composer.currentFrame(), rcMonitor)});
    }
    pOtherScreens->showCopies(std::move(copies));
}
