#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"

#include <wx/frame.h>

// The borderless black window that covers one monitor other than the
// show's own and shows the copy of each frame there. It never takes the
// keyboard focus, hides the pointer and cannot be closed from outside; its
// owner destroys it.
class CMonitorWnd : public wxFrame {
public:
    // Creates the window over rcMonitor (virtual-screen coordinates), black
    // and above other windows, and shows it without activating it.
    explicit CMonitorWnd(const Rect& rcMonitor);

    const Rect& monitorRect() const { return m_rcMonitor; }
    // Shows picture (the monitor's size) from now on.
    void showPicture(DrawingSurface picture);

private:
    void OnPaint(wxPaintEvent& event);
    void OnClose(wxCloseEvent& event);
    void paint(wxDC& dc);

    Rect m_rcMonitor;
    DrawingSurface m_picture;

    wxDECLARE_EVENT_TABLE();
};
