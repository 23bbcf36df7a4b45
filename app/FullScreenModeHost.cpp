#include "app/FullScreenModeHost.h"

#include "app/CSaverWnd.h"
#include "slideshow/CPreviewFrame.h"
#include "slideshow/MonitorWindows.h"
#include "slideshow/ShowSettings.h"

#include <wx/app.h>
#include <wx/display.h>

namespace {

// The primary monitor's rectangle, in virtual-screen coordinates.
Rect primaryScreenRect() {
    Rect rect;
    enumerateMonitors().primaryMonitor().getMonitorRect(rect);
    if (rect.isEmpty()) {
        const wxSize size = wxGetDisplaySize();
        rect = Rect{0, 0, size.GetWidth(), size.GetHeight()};
    }
    return rect;
}

void makeMainWindow(wxWindow& window) {
    if (wxTheApp != nullptr) {
        wxTheApp->SetTopWindow(wxGetTopLevelParent(&window));
    }
}

} // namespace

SaverWindow* FullScreenModeHost::createFullScreen(const DrawingWindowSettings& settings) {
    auto* pWnd = new CSaverWnd(false, CSaverWnd::Host::FullScreen);
    applyShowSettings(*pWnd, settings);
    if (!pWnd->Create(0, 0, primaryScreenRect(), nullptr, 0)) {
        delete pWnd; // never became anyone's child
        return nullptr;
    }
    makeMainWindow(*pWnd);
    pWnd->setPreview(false);
    return pWnd;
}

SaverWindow* FullScreenModeHost::createDaemonShow(unsigned long windowId,
                                                  const DrawingWindowSettings& settings) {
    auto* pWnd = new CSaverWnd(false, CSaverWnd::Host::SaverDaemon);
    applyShowSettings(*pWnd, settings);
    auto* pFrame = new CPreviewFrame(); // a top-level window: wxWidgets deletes it
    if (!pFrame->embedShow(windowId, pWnd)) {
        pFrame->Destroy();
        return nullptr;
    }
    makeMainWindow(*pWnd);
    pWnd->setPreview(false);
    return pWnd;
}
