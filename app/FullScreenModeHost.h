#pragma once

#include "app/SaverModeHost.h"

// Makes the shows that run as a screensaver: the full-screen window over
// the primary monitor, and the show inside a saver daemon's window. The
// other modes go to the host given.
class FullScreenModeHost : public ForwardingModeHost {
public:
    using ForwardingModeHost::ForwardingModeHost;

    SaverWindow* createFullScreen(const DrawingWindowSettings& settings) override;
    SaverWindow* createDaemonShow(unsigned long windowId,
                                  const DrawingWindowSettings& settings) override;
};
