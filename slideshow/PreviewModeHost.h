#pragma once

#include "app/SaverModeHost.h"

#include <memory>

// Makes the preview: a drawing window inside another program's X11 window,
// following its size and ending the program when that window goes. The
// other modes go to the host given.
class PreviewModeHost : public SaverModeHost {
public:
    explicit PreviewModeHost(std::unique_ptr<SaverModeHost> pOtherModes);

    bool createPreview(unsigned long parentWindowId,
                       const DrawingWindowSettings& settings) override;
    SaverWindow* createFullScreen(const DrawingWindowSettings& settings) override;
    SaverWindow* createDaemonShow(unsigned long windowId,
                                  const DrawingWindowSettings& settings) override;
    bool runSettingsDialog(ConfigurationValues& values) override;

private:
    std::unique_ptr<SaverModeHost> m_pOtherModes;
};
