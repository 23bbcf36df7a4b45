#include "slideshow/CPreviewFrame.h"

#include "app/Trace.h"
#include "slideshow/CDrawWnd.h"
#include "slideshow/ShowSettings.h"
#include "slideshow/X11Embedding.h"

namespace {

constexpr int FOLLOW_TIMER_ID = 2;
constexpr const char* EMBED_PREFIX = "CPreviewFrame::embed(unsigned long parentWindowId, const "
                                     "DrawingWindowSettings& settings) - ";

void logEmbedding(const std::string& csMessage) {
    if (isLogging()) {
        logMessage(EMBED_PREFIX + csMessage);
    }
}

} // namespace

wxBEGIN_EVENT_TABLE(CPreviewFrame, wxFrame) EVT_TIMER(FOLLOW_TIMER_ID, CPreviewFrame::OnFollow)
    EVT_SIZE(CPreviewFrame::OnSize) wxEND_EVENT_TABLE()

        CPreviewFrame::CPreviewFrame()
    : m_followTimer(this, FOLLOW_TIMER_ID) {}

bool CPreviewFrame::embed(unsigned long parentWindowId, const DrawingWindowSettings& settings) {
    auto* pDrawWnd = new CDrawWnd(false);
    applyShowSettings(*pDrawWnd, settings);
    if (!embedWindow(parentWindowId, pDrawWnd)) {
        return false;
    }
    m_pDrawWnd->SetSpeed(1, true);
    return true;
}

bool CPreviewFrame::embedShow(unsigned long parentWindowId, CDrawWnd* pDrawWnd) {
    const bool bIntoRoot = parentWindowId == 0;
    if (!embedWindow(bIntoRoot ? rootWindowId() : parentWindowId, pDrawWnd)) {
        return false;
    }
    if (bIntoRoot) {
        // Drawn on the desktop, beneath every other window.
        lowerEmbeddedWindow(GetHandle());
    }
    return true;
}

bool CPreviewFrame::embedWindow(unsigned long parentWindowId, CDrawWnd* pDrawWnd) {
    int nWidth = 0;
    int nHeight = 0;
    if (!foreignWindowSize(parentWindowId, nWidth, nHeight)) {
        logEmbedding("there is no window " + std::to_string(parentWindowId) + " to preview in.");
        delete pDrawWnd; // never created, so no parent deletes it
        return false;
    }
    if (!wxFrame::Create(nullptr, wxID_ANY, wxEmptyString, wxPoint(0, 0), wxSize(nWidth, nHeight),
                         wxBORDER_NONE | wxFRAME_NO_TASKBAR) ||
        !embedIntoForeignWindow(GetHandle(), parentWindowId)) {
        logEmbedding("the preview could not be placed in window " + std::to_string(parentWindowId) +
                     ".");
        delete pDrawWnd;
        return false;
    }
    m_nParentWindowId = parentWindowId;
    m_parentSize = wxSize(nWidth, nHeight);
    // A show that fades its first photo in starts from black, not from the
    // toolkit theme's light grey.
    SetBackgroundColour(*wxBLACK);

    m_pDrawWnd = pDrawWnd;
    if (!m_pDrawWnd->Create(0, 0, Rect{0, 0, nWidth, nHeight}, this, 0)) {
        logEmbedding("the drawing window could not be created.");
        return false;
    }
    Show();
    m_followTimer.Start(FOLLOW_INTERVAL_MS);
    return true;
}

void CPreviewFrame::OnFollow(wxTimerEvent&) {
    int nWidth = 0;
    int nHeight = 0;
    if (!foreignWindowSize(m_nParentWindowId, nWidth, nHeight)) {
        // The window we were shown in is gone, and the preview with it.
        m_followTimer.Stop();
        Destroy();
        return;
    }
    if (wxSize(nWidth, nHeight) != m_parentSize) {
        m_parentSize = wxSize(nWidth, nHeight);
        SetSize(0, 0, nWidth, nHeight);
    }
}

void CPreviewFrame::OnSize(wxSizeEvent& event) {
    if (m_pDrawWnd != nullptr) {
        m_pDrawWnd->SetSize(GetClientSize());
    }
    event.Skip();
}
