#pragma once

#include "app/DrawingWindowSettings.h"

#include <wx/frame.h>
#include <wx/timer.h>

class CDrawWnd;

// The borderless top-level window that carries a drawing window inside
// another program's window: a display-settings panel's preview, or the show
// of a saver daemon. It keeps the size of that window and closes when it
// disappears, which ends the program.
class CPreviewFrame : public wxFrame {
public:
    // How often the foreign window is looked at.
    static constexpr int FOLLOW_INTERVAL_MS = 200;

    CPreviewFrame();
    // Embeds a preview into parentWindowId and starts the show there; false
    // (and nothing shown) when that window does not exist or cannot take it.
    bool embed(unsigned long parentWindowId, const DrawingWindowSettings& settings);
    // Embeds pDrawWnd (set up, not yet created) into parentWindowId, the
    // root window when 0, and starts it at its stored speed. The frame owns
    // the window from here on, also when this fails.
    bool embedShow(unsigned long parentWindowId, CDrawWnd* pDrawWnd);

private:
    bool embedWindow(unsigned long parentWindowId, CDrawWnd* pDrawWnd);
    void OnFollow(wxTimerEvent& event);
    void OnSize(wxSizeEvent& event);

    unsigned long m_nParentWindowId = 0;
    CDrawWnd* m_pDrawWnd = nullptr; // a child: the frame deletes it
    wxTimer m_followTimer;
    wxSize m_parentSize;

    wxDECLARE_EVENT_TABLE();
};
