#include "slideshow/CDrawWnd.h"

#include "app/SettingsKeys.h"
#include "app/Trace.h"
#include "packs/CatalogueHost.h"
#include "platform/Clock.h"
#include "slideshow/MonitorWindows.h"
#include "slideshow/SpeedInterval.h"
#include "slideshow/WindowFramePresenter.h"
#include "slideshow/WindowScreen.h"
#include "weather/ObservationHost.h"

#include <algorithm>
#include <wx/dcclient.h>

wxBEGIN_EVENT_TABLE(CDrawWnd, wxWindow) EVT_TIMER(CDrawWnd::TIMER_ID, CDrawWnd::OnTimer)
    EVT_PAINT(CDrawWnd::OnPaint) wxEND_EVENT_TABLE()

        CDrawWnd::CDrawWnd(bool autoDelete)
    : m_blendRunner(
          [this](FrameScreen&, const Rect&, bool bShowsScreen) {
              return std::make_unique<WindowFramePresenter>(*this, !bShowsScreen);
          },
          realBlendEnvironment(), &m_framePool),
      m_weather(m_composer, frameworkSelectionEnvironment(), g_pWeatherObservation, g_pSsConfig,
                [this](bool changeImage) { drawNow(changeImage); }),
      m_timer(this, TIMER_ID), m_autoDelete(autoDelete) {
    m_composer.setFramePool(&m_framePool);
    m_composer.setFrameBlender(&m_blendRunner);
    m_composer.setWeatherPanelPainter(&m_panel);
    // Nothing may draw while the object is still being set up.
    m_composer.setPausePreview(true);
    loadWeatherIfConnected();
    m_composer.setPausePreview(false);
}

CDrawWnd::~CDrawWnd() {
    m_timer.Stop();
    // The composer stops the blend before it lets the frame go.
    m_composer.stopBlendThread();
}

bool CDrawWnd::Create(long /*exStyle*/, long /*style*/, const Rect& rect, wxWindow* pParent,
                      wxWindowID id) {
    if (!wxWindow::Create(pParent, id, wxPoint(rect.left, rect.top),
                          wxSize(rect.width(), rect.height()),
                          wxBORDER_NONE | wxFULL_REPAINT_ON_RESIZE | wxWANTS_CHARS)) {
        return false;
    }
    // Frames the window can show without copying them first.
    m_framePool.setSurfaceMaker(
        [this](int nWidth, int nHeight) { return windowImageSurface(*this, nWidth, nHeight); });
    // Every pixel is painted by the frame: no background erase, no pointer.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetCursor(wxCursor(wxCURSOR_BLANK));
    SetSpeed(std::max(settings::get(settings::kSpeed), -1), false);
    return true;
}

void CDrawWnd::SetSpeed(int nSpeedInMinutes, bool speedUp) {
    m_timer.Stop();
    const SpeedInterval interval =
        speedInterval(nSpeedInMinutes, speedUp, platform::clock().localSeconds());
    if (isLogging()) {
        logMessage("CDrawWnd::SetSpeed(int nSpeedInMinutes, bool speedUp) - " +
                   speedTraceText(nSpeedInMinutes, interval));
    }
    m_timer.Start(interval.nTimerMs);
}

Rect CDrawWnd::clientRect() const {
    const wxSize size = GetClientSize();
    return Rect{0, 0, size.GetWidth(), size.GetHeight()};
}

void CDrawWnd::DrawMultipleMonitor(FrameScreen& dc, bool changeImage) {
    drawMultipleMonitor(m_composer, dc, clientRect(), changeImage, enumerateMonitors(),
                        m_pMonitorCopies);
}

void CDrawWnd::refreshOurWeatherInfo() {
    m_weather.refreshOurWeatherInfo();
}

void CDrawWnd::drawNow(bool changeImage) {
    if (GetHandle() == nullptr) {
        return;
    }
    wxClientDC dc(this);
    WindowScreen screen(*this, dc);
    if (screen.isValid()) {
        DrawMultipleMonitor(screen, changeImage);
    }
}

void CDrawWnd::OnTimer(wxTimerEvent& event) {
    if (event.GetId() == TIMER_ID) {
        drawNow(true);
    } else {
        event.Skip();
    }
}

void CDrawWnd::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    WindowScreen screen(*this, dc);
    if (screen.isValid()) {
        DrawMultipleMonitor(screen, true);
    }
}
