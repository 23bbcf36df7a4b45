#pragma once

#include "app/DrawingWindowSettings.h"

#include <wx/frame.h>
#include <wx/timer.h>

class CDrawWnd;

// The borderless top-level window that carries a preview's drawing window
// inside another program's window. It keeps the size of that window and
// closes when it disappears, which ends the program.
class CPreviewFrame : public wxFrame {
public:
    // How often the foreign window is looked at.
    static constexpr int FOLLOW_INTERVAL_MS = 200;

    CPreviewFrame();
    // Embeds into parentWindowId and starts the show there; false (and
    // nothing shown) when that window does not exist or cannot take it.
    bool embed(unsigned long parentWindowId, const DrawingWindowSettings& settings);

private:
    void OnFollow(wxTimerEvent& event);
    void OnSize(wxSizeEvent& event);

    unsigned long m_nParentWindowId = 0;
    CDrawWnd* m_pDrawWnd = nullptr; // a child: the frame deletes it
    wxTimer m_followTimer;
    wxSize m_parentSize;

    wxDECLARE_EVENT_TABLE();
};
