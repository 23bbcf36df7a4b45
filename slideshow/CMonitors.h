#pragma once

#include "imaging/Rect.h"

#include <string>
#include <vector>

// One monitor of the display: where it lies on the virtual screen (the
// union of all monitors), whether it is the primary one, and its name.
// Copyable.
class CMonitor {
public:
    CMonitor() = default;
    CMonitor(const Rect& rcMonitor, bool bPrimary, std::string csDeviceName)
        : m_rcMonitor(rcMonitor), m_bPrimary(bPrimary), m_csDeviceName(std::move(csDeviceName)) {}

    // The monitor's rectangle in virtual-screen coordinates.
    void getMonitorRect(Rect& rect) const { rect = m_rcMonitor; }
    bool isPrimaryMonitor() const { return m_bPrimary; }
    const std::string& getDeviceName() const { return m_csDeviceName; }

private:
    Rect m_rcMonitor;
    bool m_bPrimary = false;
    std::string m_csDeviceName;
};

// The monitors of the display, in enumeration order, with exactly one
// primary among them whenever there is any.
class CMonitors {
public:
    // Takes a list as the display reported it: when no monitor says it is
    // the primary, the first one is; when several do, only the first of
    // them is.
    explicit CMonitors(std::vector<CMonitor> monitors);

    int getCount() const { return static_cast<int>(m_monitors.size()); }
    // A copy of entry nIndex; an empty, non-primary monitor when nIndex is
    // outside 0 to getCount() - 1.
    CMonitor getMonitor(int nIndex) const;
    // The primary monitor; empty when there is no monitor at all.
    CMonitor primaryMonitor() const;

private:
    std::vector<CMonitor> m_monitors;
};
