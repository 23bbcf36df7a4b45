#include "slideshow/CMonitorWnd.h"

#include "slideshow/ScreenWindowHints.h"
#include "slideshow/WindowScreen.h"

#include <wx/dcclient.h>

wxBEGIN_EVENT_TABLE(CMonitorWnd, wxFrame) EVT_PAINT(CMonitorWnd::OnPaint)
    EVT_CLOSE(CMonitorWnd::OnClose) wxEND_EVENT_TABLE()

        CMonitorWnd::CMonitorWnd(const Rect& rcMonitor)
    : wxFrame(nullptr, wxID_ANY, wxEmptyString, wxPoint(rcMonitor.left, rcMonitor.top),
              wxSize(rcMonitor.width(), rcMonitor.height()),
              wxBORDER_NONE | wxFRAME_NO_TASKBAR | wxSTAY_ON_TOP),
      m_rcMonitor(rcMonitor) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetBackgroundColour(*wxBLACK);
    SetCursor(wxCursor(wxCURSOR_BLANK));
    refuseFocus(GetHandle());
    requestFullScreenAbove(GetHandle());
    ShowWithoutActivating();
}

void CMonitorWnd::showPicture(DrawingSurface picture) {
    m_picture = std::move(picture);
    // Through the toolkit's own paint, which also reaches a window that is
    // still being mapped.
    Refresh(false);
    Update();
}

void CMonitorWnd::paint(wxDC& dc) {
    WindowScreen screen(*this, dc);
    if (!screen.isValid()) {
        return;
    }
    const Rect rcClient{0, 0, GetClientSize().GetWidth(), GetClientSize().GetHeight()};
    if (!m_picture.isValid() || !screen.showFrame(m_picture, rcClient)) {
        screen.paintBlack(rcClient);
    }
}

void CMonitorWnd::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    paint(dc);
}

void CMonitorWnd::OnClose(wxCloseEvent& event) {
    // A window manager's close request; only the show ends these windows.
    if (event.CanVeto()) {
        event.Veto();
    } else {
        Destroy();
    }
}
