#include "slideshow/CMonitors.h"

#include <algorithm>

CMonitors::CMonitors(std::vector<CMonitor> monitors) : m_monitors(std::move(monitors)) {
    // The show's own window covers the primary monitor and every other one
    // gets a copy, so exactly one may be primary: with none, a copy window
    // would cover the show itself.
    const auto first = std::find_if(m_monitors.begin(), m_monitors.end(),
                                    [](const CMonitor& m) { return m.isPrimaryMonitor(); });
    const std::size_t nPrimary =
        first == m_monitors.end() ? 0 : static_cast<std::size_t>(first - m_monitors.begin());
    for (std::size_t i = 0; i < m_monitors.size(); ++i) {
        Rect rect;
        m_monitors[i].getMonitorRect(rect);
        m_monitors[i] = CMonitor(rect, i == nPrimary, m_monitors[i].getDeviceName());
    }
}

CMonitor CMonitors::getMonitor(int nIndex) const {
    if (nIndex < 0 || nIndex >= getCount()) {
        return CMonitor();
    }
    return m_monitors[static_cast<std::size_t>(nIndex)];
}

CMonitor CMonitors::primaryMonitor() const {
    for (const CMonitor& monitor : m_monitors) {
        if (monitor.isPrimaryMonitor()) {
            return monitor;
        }
    }
    return CMonitor();
}
