#include "slideshow/PreviewModeHost.h"

#include "slideshow/CPreviewFrame.h"

#include <wx/app.h>

PreviewModeHost::PreviewModeHost(std::unique_ptr<SaverModeHost> pOtherModes)
    : m_pOtherModes(std::move(pOtherModes)) {}

bool PreviewModeHost::createPreview(unsigned long parentWindowId,
                                    const DrawingWindowSettings& settings) {
    auto* pFrame = new CPreviewFrame(); // a top-level window: wxWidgets deletes it
    if (!pFrame->embed(parentWindowId, settings)) {
        pFrame->Destroy();
        return false;
    }
    if (wxTheApp != nullptr) {
        wxTheApp->SetTopWindow(pFrame);
    }
    return true;
}

SaverWindow* PreviewModeHost::createFullScreen(const DrawingWindowSettings& settings) {
    return m_pOtherModes->createFullScreen(settings);
}

SaverWindow* PreviewModeHost::createDaemonShow(unsigned long windowId,
                                               const DrawingWindowSettings& settings) {
    return m_pOtherModes->createDaemonShow(windowId, settings);
}

bool PreviewModeHost::runSettingsDialog(ConfigurationValues& values) {
    return m_pOtherModes->runSettingsDialog(values);
}
