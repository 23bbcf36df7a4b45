#include "app/CSaverWnd.h"

#include "app/Trace.h"
#include "app/WeatherUpdateMessage.h"
#include "platform/MessageBox.h"
#include "slideshow/MonitorWindows.h"
#include "slideshow/ScreenWindowHints.h"

#include <wx/app.h>
#include <wx/frame.h>

namespace {

constexpr const char* APP_TITLE = "Nimbora Screensaver";

void trace(const std::string& csLine) {
    if (isLogging()) {
        logMessage(csLine);
    }
}

std::string positionText(int x, int y) {
    std::string text(1, '(');
    text += std::to_string(x);
    text += ", ";
    text += std::to_string(y);
    text += ')';
    return text;
}

} // namespace

CSaverWnd::CSaverWnd(bool autoDelete, Host host)
    : CDrawWnd(autoDelete), m_activity(host == Host::FullScreen),
      m_pWeatherMessage(std::make_unique<WeatherUpdateMessage>()) {
    if (!m_pWeatherMessage->isRegistered()) {
        // The show goes on; only the refresh on request is lost.
        platform::showMessageBox(APP_TITLE, "Unable to register Windows' message - " +
                                                m_pWeatherMessage->registrationError());
    }
}

CSaverWnd::~CSaverWnd() {
    // The copy windows go first: the X server exposes what lay beneath them
    // and every program there repaints its part of the desktop.
    setMonitorCopies(nullptr);
    m_pMonitorWindows.reset();
    m_pWeatherMessage.reset();
    // The program ends with its show.
    if (wxTheApp != nullptr) {
        wxTheApp->ExitMainLoop();
    }
}

bool CSaverWnd::Create(long exStyle, long style, const Rect& rect, wxWindow* pParent,
                       wxWindowID id) {
    const bool bCreated = pParent == nullptr ? createTopLevel(exStyle, style, rect, id)
                                             : CDrawWnd::Create(exStyle, style, rect, pParent, id);
    if (!bCreated) {
        trace("CSaverWnd::Create() - the window could not be created.");
        return false;
    }
    listenForWeatherMessage();
    return true;
}

bool CSaverWnd::createTopLevel(long exStyle, long style, const Rect& rect, wxWindowID id) {
    m_pFrame = new wxFrame(nullptr, wxID_ANY, APP_TITLE, wxPoint(rect.left, rect.top),
                           wxSize(rect.width(), rect.height()),
                           wxBORDER_NONE | wxSTAY_ON_TOP | wxFRAME_NO_TASKBAR);
    m_pFrame->SetCursor(wxCursor(wxCURSOR_BLANK));
    // Until the first photo fades in, the window shows black rather than
    // the toolkit theme's light grey.
    m_pFrame->SetBackgroundColour(*wxBLACK);
    // Where a window manager runs it makes the window full screen and keeps
    // it on top; where none runs, the geometry above covers the monitor.
    requestFullScreenAbove(m_pFrame->GetHandle());
    presentWhenMapped(m_pFrame->GetHandle());
    if (!CDrawWnd::Create(exStyle, style, Rect{0, 0, rect.width(), rect.height()}, m_pFrame, id)) {
        m_pFrame->Destroy();
        m_pFrame = nullptr;
        return false;
    }
    m_pFrame->Bind(wxEVT_ACTIVATE, &CSaverWnd::OnActivate, this);
    m_pFrame->Bind(wxEVT_CLOSE_WINDOW, &CSaverWnd::OnCloseRequest, this);
    listenToInput(*this);
    // The copy windows come before the show's own, so that they never take
    // the focus from it.
    m_pMonitorWindows = std::make_unique<MonitorWindows>([this](wxWindow& w) { listenToInput(w); });
    m_pMonitorWindows->coverOtherMonitors(enumerateMonitors());
    setMonitorCopies(m_pMonitorWindows.get());
    m_pFrame->Show();
    SetFocus();
    return true;
}

void CSaverWnd::listenToInput(wxWindow& window) {
    window.Bind(wxEVT_MOTION, &CSaverWnd::OnMouseMove, this);
    for (const wxEventTypeTag<wxMouseEvent>* pType :
         {&wxEVT_LEFT_DOWN, &wxEVT_MIDDLE_DOWN, &wxEVT_RIGHT_DOWN, &wxEVT_AUX1_DOWN,
          &wxEVT_AUX2_DOWN, &wxEVT_LEFT_DCLICK, &wxEVT_MIDDLE_DCLICK, &wxEVT_RIGHT_DCLICK,
          &wxEVT_MOUSEWHEEL}) {
        window.Bind(*pType, &CSaverWnd::OnButtonDown, this);
    }
    window.Bind(wxEVT_KEY_DOWN, &CSaverWnd::OnKeyDown, this);
}

void CSaverWnd::listenForWeatherMessage() {
    wxWindow* pTopLevel = wxGetTopLevelParent(this);
    if (pTopLevel == nullptr ||
        !m_pWeatherMessage->listen(pTopLevel->GetHandle(), [this] { refreshOurWeatherInfo(); })) {
        trace("CSaverWnd::Create() - there is no window to receive the weather message on.");
    }
}

void CSaverWnd::refreshOurWeatherInfo() {
    CDrawWnd::refreshOurWeatherInfo();
}

void CSaverWnd::OnMouseMove(wxMouseEvent& event) {
    auto* pSource = static_cast<wxWindow*>(event.GetEventObject());
    const wxPoint at =
        pSource != nullptr ? pSource->ClientToScreen(event.GetPosition()) : event.GetPosition();
    const bool bFirst = !m_activity.positionKnown();
    const SaverResponse response = m_activity.mouseMoved(at.x, at.y);
    if (bFirst && m_activity.positionKnown()) {
        trace("CSaverWnd::OnMouseMove(wxMouseEvent& event) - First mouse position " +
              positionText(at.x, at.y) + " recorded.");
    }
    respond(response, "the mouse moved to " + positionText(at.x, at.y));
}

void CSaverWnd::OnButtonDown(wxMouseEvent&) {
    respond(m_activity.buttonPressed(), "a mouse button");
}

void CSaverWnd::OnKeyDown(wxKeyEvent& event) {
    const int nKey = event.GetKeyCode();
    respond(m_activity.keyPressed(nKey == WXK_RIGHT || nKey == WXK_NUMPAD_RIGHT),
            "the key " + std::to_string(nKey));
}

void CSaverWnd::OnActivate(wxActivateEvent& event) {
    // What counts is where the keyboard is now: a passing focus change (the
    // window taking the focus from the pointer's window as it appears, a
    // window manager's grab) is no activity.
    if (!event.GetActive() && !holdsKeyboardFocus(m_pFrame->GetHandle())) {
        respond(m_activity.deactivated(), "another window became active");
    }
    event.Skip();
}

void CSaverWnd::OnCloseRequest(wxCloseEvent& event) {
    if (event.CanVeto()) {
        // A window manager's close button or shortcut is not activity.
        trace("CSaverWnd::OnClose(wxCloseEvent& event) - Refusing the request to close.");
        event.Veto();
        return;
    }
    m_pFrame->Destroy();
}

void CSaverWnd::respond(SaverResponse response, const std::string& csCause) {
    switch (response) {
    case SaverResponse::Nothing:
        break;
    case SaverResponse::NextImage:
        drawNow(true);
        break;
    case SaverResponse::Close:
        postClose(csCause);
        break;
    }
}

void CSaverWnd::postClose(const std::string& csCause) {
    if (m_bClosePosted || m_pFrame == nullptr) {
        return;
    }
    m_bClosePosted = true;
    trace("CSaverWnd::postClose() - Closing on activity: " + csCause + ".");
    CallAfter([this] { m_pFrame->Destroy(); });
}
