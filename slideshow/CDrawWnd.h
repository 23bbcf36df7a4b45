#pragma once

#include "imaging/Rect.h"
#include "slideshow/BlendRunner.h"
#include "slideshow/FrameComposer.h"
#include "slideshow/MonitorCopy.h"
#include "weather/DrawWndWeather.h"
#include "weather/WeatherPanel.h"

#include <string>
#include <wx/timer.h>
#include <wx/window.h>

// The window the slideshow runs in: the preview of the settings dialog and of
// a display-settings window, and the base of the full-screen window. It owns
// the frame composition and timer 1, which shows a new photo at each tick.
class CDrawWnd : public wxWindow {
public:
    static constexpr int TIMER_ID = 1;

    // With autoDelete the object deletes itself once its window is destroyed
    // (wxWidgets does that for every window; without it the owner must call
    // Destroy()).
    explicit CDrawWnd(bool autoDelete = false);
    ~CDrawWnd() override;

    // Creates the window at rect in parent (null: a top-level window) and
    // starts timer 1 from the stored speed. exStyle and style are kept for
    // the callers' sake; the window is always borderless and hides the
    // mouse pointer.
    virtual bool Create(long exStyle, long style, const Rect& rect, wxWindow* pParent,
                        wxWindowID id);

    void setImagePackFile(const std::string& csPath) { m_composer.setImagePackFile(csPath); }
    void setFavorites(const std::string& csText) { m_composer.setFavorites(csText); }
    void setDisplayMethod(int nMethod, int nOrder) { m_composer.setDisplayMethod(nMethod, nOrder); }
    void setClearScreen(bool bClear) { m_composer.setClearScreen(bClear); }
    void setBlendImages(bool bBlend) { m_composer.setBlendImages(bBlend); }
    void setPreview(bool bPreview) { m_composer.setPreview(bPreview); }
    void setPausePreview(bool bPause) { m_composer.setPausePreview(bPause); }
    // The weather: the place the panel names and its current conditions,
    // read from the process-wide observation.
    void setLocation(const std::string& csDisplayName, const std::string& csLocationID) {
        m_weather.setLocation(csDisplayName, csLocationID);
    }
    void updateWeather() { m_weather.updateWeather(); }
    bool loadWeatherIfConnected() { return m_weather.loadWeatherIfConnected(); }
    void getWeatherInfo() { m_weather.getWeatherInfo(); }

    // Restarts timer 1 at the interval for the speed.
    void SetSpeed(int nSpeedInMinutes, bool speedUp = false);
    // Composes and shows a frame now; nothing before Create.
    void drawNow(bool changeImage);
    void stopBlendThread() { m_composer.stopBlendThread(); }
    // Re-reads the stored weather and redraws the photo on screen with it.
    virtual void refreshOurWeatherInfo();
    // Where the full-screen show puts the copies for the other monitors (not
    // owned); null, as for every preview, draws the window alone.
    void setMonitorCopies(MonitorCopyScreens* pScreens) { m_pMonitorCopies = pScreens; }

    FrameComposer& composer() { return m_composer; }
    int timerInterval() const { return m_timer.IsRunning() ? m_timer.GetInterval() : 0; }

protected:
    // Every draw of the window goes through here; the full-screen show adds
    // the other monitors.
    virtual void DrawMultipleMonitor(FrameScreen& dc, bool changeImage);

private:
    void OnTimer(wxTimerEvent& event);
    void OnPaint(wxPaintEvent& event);
    Rect clientRect() const;

    // The frames and the blend's working surfaces, shared by the two below.
    FramePool m_framePool;
    // Declared before the composer, which stops the blend as it goes and
    // draws the panel.
    BlendRunner m_blendRunner;
    WeatherPanel m_panel;
    FrameComposer m_composer;
    DrawWndWeather m_weather;
    wxTimer m_timer;
    MonitorCopyScreens* m_pMonitorCopies = nullptr;
    // Kept as given; wxWidgets deletes every window object on destruction.
    [[maybe_unused]] bool m_autoDelete;

    wxDECLARE_EVENT_TABLE();
};
