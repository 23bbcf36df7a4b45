#pragma once

#include "app/SaverActivity.h"
#include "app/SaverModeHost.h"
#include "slideshow/CDrawWnd.h"

#include <memory>
#include <string>

class MonitorWindows;
class WeatherUpdateMessage;
class wxActivateEvent;
class wxCloseEvent;
class wxFrame;

// The screensaver window: the drawing window of the full-screen show. It
// covers the primary monitor above every other window (the other monitors
// get copies), hides the pointer, takes the keyboard, closes on the first
// sign of activity but for the right-arrow key, which shows the next photo,
// and refuses a window manager's request to close it. It answers the
// registered weather message by refreshing the weather. When it is
// destroyed the program ends.
//
// Inside a saver daemon's window it is the same show without the input
// rules and without copies: the daemon owns the input and starts one
// program per monitor.
class CSaverWnd : public CDrawWnd, public SaverWindow {
public:
    enum class Host { FullScreen, SaverDaemon };

    explicit CSaverWnd(bool autoDelete = false, Host host = Host::FullScreen);
    ~CSaverWnd() override;

    // Without a parent: a top-level window over rect (the primary monitor,
    // virtual-screen coordinates) that asks the window manager for full
    // screen and a place above the others, and black copy windows over the
    // other monitors. With a parent (a daemon's embedding): a child of it.
    bool Create(long exStyle, long style, const Rect& rect, wxWindow* pParent,
                wxWindowID id) override;

    void refreshOurWeatherInfo() override;

    const SaverActivity& activity() const { return m_activity; }

private:
    bool createTopLevel(long exStyle, long style, const Rect& rect, wxWindowID id);
    void listenToInput(wxWindow& window);
    void listenForWeatherMessage();

    void OnMouseMove(wxMouseEvent& event);
    void OnButtonDown(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnActivate(wxActivateEvent& event);
    void OnCloseRequest(wxCloseEvent& event);

    void respond(SaverResponse response, const std::string& csCause);
    // Closes the show once the current event has been handled.
    void postClose(const std::string& csCause);

    SaverActivity m_activity;
    wxFrame* m_pFrame = nullptr; // the full-screen top-level window; it deletes this one
    std::unique_ptr<MonitorWindows> m_pMonitorWindows;
    std::unique_ptr<WeatherUpdateMessage> m_pWeatherMessage;
    bool m_bClosePosted = false;
};
