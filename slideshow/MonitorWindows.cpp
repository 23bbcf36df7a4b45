#include "slideshow/MonitorWindows.h"

#include "slideshow/CMonitorWnd.h"

#include <algorithm>
#include <wx/display.h>

CMonitors enumerateMonitors() {
    std::vector<CMonitor> monitors;
    const unsigned nCount = wxDisplay::GetCount();
    for (unsigned i = 0; i < nCount; ++i) {
        const wxDisplay display(i);
        if (!display.IsOk()) {
            continue;
        }
        const wxRect geometry = display.GetGeometry();
        monitors.emplace_back(Rect{geometry.GetLeft(), geometry.GetTop(), geometry.GetRight() + 1,
                                   geometry.GetBottom() + 1},
                              display.IsPrimary(), display.GetName().utf8_string());
    }
    return CMonitors(std::move(monitors));
}

MonitorWindows::MonitorWindows(WindowMade onWindowMade) : m_onWindowMade(std::move(onWindowMade)) {}

MonitorWindows::~MonitorWindows() {
    // What lay beneath is exposed again and repaints itself.
    for (wxWeakRef<CMonitorWnd>& pWindow : m_windows) {
        if (pWindow) {
            pWindow->Destroy();
        }
    }
}

CMonitorWnd* MonitorWindows::windowFor(const Rect& rcMonitor) {
    for (wxWeakRef<CMonitorWnd>& pWindow : m_windows) {
        if (pWindow && pWindow->monitorRect() == rcMonitor) {
            return pWindow.get();
        }
    }
    auto* pWindow = new CMonitorWnd(rcMonitor); // top-level: wxWidgets deletes it
    m_windows.emplace_back(pWindow);
    if (m_onWindowMade) {
        m_onWindowMade(*pWindow);
    }
    return pWindow;
}

void MonitorWindows::coverOtherMonitors(const CMonitors& monitors) {
    std::vector<MonitorCopy> blackCopies;
    for (int i = 0; i < monitors.getCount(); ++i) {
        if (!monitors.getMonitor(i).isPrimaryMonitor()) {
            blackCopies.push_back({monitors.getMonitor(i), DrawingSurface()});
        }
    }
    showCopies(std::move(blackCopies));
}

void MonitorWindows::showCopies(std::vector<MonitorCopy> copies) {
    std::vector<CMonitorWnd*> shown;
    for (MonitorCopy& copy : copies) {
        Rect rcMonitor;
        copy.monitor.getMonitorRect(rcMonitor);
        if (rcMonitor.isEmpty()) {
            continue;
        }
        CMonitorWnd* pWindow = windowFor(rcMonitor);
        pWindow->showPicture(std::move(copy.picture));
        shown.push_back(pWindow);
    }
    // A monitor that went away takes its window with it.
    for (wxWeakRef<CMonitorWnd>& pWindow : m_windows) {
        if (pWindow && std::find(shown.begin(), shown.end(), pWindow.get()) == shown.end()) {
            pWindow->Destroy();
            pWindow = nullptr;
        }
    }
    std::erase_if(m_windows, [](const wxWeakRef<CMonitorWnd>& pWindow) { return !pWindow; });
}
