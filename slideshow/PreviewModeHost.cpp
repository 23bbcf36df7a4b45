#include "slideshow/PreviewModeHost.h"

#include "slideshow/CPreviewFrame.h"

#include <wx/app.h>

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
