// bench_bare_window: the least a wxWidgets (GTK 3) program does to show a
// picture in a preview window, the anchor the screensaver's start and memory
// are measured against:
//
//   bench_bare_window WINDOW_ID
//
// It puts a borderless window into the window given, paints it grey, and runs
// until that window goes or it is told to stop.
#include "slideshow/X11Embedding.h"

#include <cstdlib>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/frame.h>
#include <wx/timer.h>

namespace {

class BareFrame : public wxFrame {
public:
    BareFrame() : m_follow(this) {
        Bind(wxEVT_PAINT, &BareFrame::onPaint, this);
        Bind(wxEVT_TIMER, &BareFrame::onFollow, this);
    }

    bool embed(unsigned long nWindowId) {
        int nWidth = 0;
        int nHeight = 0;
        if (!foreignWindowSize(nWindowId, nWidth, nHeight) ||
            !Create(nullptr, wxID_ANY, wxEmptyString, wxPoint(0, 0), wxSize(nWidth, nHeight),
                    wxBORDER_NONE | wxFRAME_NO_TASKBAR) ||
            !embedIntoForeignWindow(GetHandle(), nWindowId)) {
            return false;
        }
        m_nWindowId = nWindowId;
        Show();
        m_follow.Start(500);
        return true;
    }

private:
    void onPaint(wxPaintEvent&) {
        wxPaintDC dc(this);
        dc.SetBackground(wxBrush(wxColour(128, 128, 128)));
        dc.Clear();
    }
    void onFollow(wxTimerEvent&) {
        int nWidth = 0;
        int nHeight = 0;
        if (!foreignWindowSize(m_nWindowId, nWidth, nHeight)) {
            Destroy();
        }
    }

    wxTimer m_follow;
    unsigned long m_nWindowId = 0;
};

class BareApp : public wxApp {
public:
    bool OnInit() override {
        if (argc != 2) {
            return false;
        }
        auto* pFrame = new BareFrame();
        if (!pFrame->embed(std::strtoul(argv[1].utf8_str(), nullptr, 0))) {
            pFrame->Destroy();
            return false;
        }
        SetTopWindow(pFrame);
        return true;
    }
};

} // namespace

wxIMPLEMENT_APP(BareApp);
