#pragma once

#include "slideshow/MonitorCopy.h"

#include <functional>
#include <vector>
#include <wx/weakref.h>

class CMonitorWnd;
class wxWindow;

// The monitors of the display as the toolkit reports them.
CMonitors enumerateMonitors();

// The black copy windows of the full-screen show, one per monitor other than
// the primary, made when a monitor first gets a copy and destroyed when it
// is gone or the show ends.
class MonitorWindows : public MonitorCopyScreens {
public:
    // Called for each new window, so that the show can listen to what a
    // person does over it.
    using WindowMade = std::function<void(wxWindow&)>;

    explicit MonitorWindows(WindowMade onWindowMade = {});
    ~MonitorWindows() override;
    MonitorWindows(const MonitorWindows&) = delete;
    MonitorWindows& operator=(const MonitorWindows&) = delete;

    void showCopies(std::vector<MonitorCopy> copies) override;
    // Makes (black) windows for the monitors other than the primary now,
    // before any frame is drawn.
    void coverOtherMonitors(const CMonitors& monitors);

    int windowCount() const { return static_cast<int>(m_windows.size()); }

private:
    CMonitorWnd* windowFor(const Rect& rcMonitor);

    WindowMade m_onWindowMade;
    std::vector<wxWeakRef<CMonitorWnd>> m_windows;
};
