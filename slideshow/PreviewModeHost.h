#pragma once

#include "app/SaverModeHost.h"

// Makes the preview: a drawing window inside another program's X11 window,
// following its size and ending the program when that window goes. The
// other modes go to the host given.
class PreviewModeHost : public ForwardingModeHost {
public:
    using ForwardingModeHost::ForwardingModeHost;

    bool createPreview(unsigned long parentWindowId,
                       const DrawingWindowSettings& settings) override;
};
