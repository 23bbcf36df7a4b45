#pragma once

#include "app/SaverModeHost.h"

#include <memory>

// Makes the shows that run as a screensaver: the full-screen window over
// the primary monitor, and the show inside a saver daemon's window. The
// other modes go to the host given.
class FullScreenModeHost : public SaverModeHost {
public:
    explicit FullScreenModeHost(std::unique_ptr<SaverModeHost> pOtherModes);

    bool createPreview(unsigned long parentWindowId,
                       const DrawingWindowSettings& settings) override;
    SaverWindow* createFullScreen(const DrawingWindowSettings& settings) override;
    SaverWindow* createDaemonShow(unsigned long windowId,
                                  const DrawingWindowSettings& settings) override;
    bool runSettingsDialog(ConfigurationValues& values) override;

private:
    std::unique_ptr<SaverModeHost> m_pOtherModes;
};
