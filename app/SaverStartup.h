#pragma once

#include "app/ModeSwitch.h"
#include "app/SaverModeHost.h"
#include "app/UsageTracker.h"

#include <string>
#include <vector>

// The application object's start-up and run modes, free of the toolkit:
// CSaverApp drives it and supplies the hosts that make the windows.
class SaverStartup {
public:
    SaverStartup(SaverModeHost& modes, PackCatalogueHost& catalogue, WeatherHost& weather,
                 HourlyTimer& timer);
    ~SaverStartup();
    SaverStartup(const SaverStartup&) = delete;
    SaverStartup& operator=(const SaverStartup&) = delete;

    // Runs the start-up for a command line (program path first). True keeps
    // the program in its message loop; false ends it.
    bool InitInstance(const std::vector<std::string>& arguments);
    // Shows the prepared promotion, if any. Runs also after InitInstance
    // returned false.
    void ExitInstance();

    // Fills the settings dialog from the store, shows it and writes back on OK.
    void runConfiguration();
    // Called by the weather timer: refreshes the full-screen window's panel.
    void refreshSaverWeather();
    // The full-screen window is gone; nothing may reach it any more.
    void forgetSaverWindow() { rememberSaverWindow(nullptr); }

    UsageTracker& tracker() { return m_tracker; }
    RunMode runMode() const { return m_runMode; }
    bool promoPending() const { return m_bPromoPending; }
    SaverWindow* saverWindow() const { return m_pSaverWindow; }

private:
    void traceCommandLine(const std::vector<std::string>& arguments) const;
    bool runPreview(const std::vector<std::string>& arguments);
    bool runFullScreen();
    bool runDaemonShow(const std::vector<std::string>& arguments);
    void markFirstLaunch();
    // Keeps the window to refresh, and forgets it by itself once it goes.
    void rememberSaverWindow(SaverWindow* pWindow);

    SaverModeHost& m_modes;
    PackCatalogueHost& m_catalogue;
    WeatherHost& m_weather;
    UsageTracker m_tracker;
    RunMode m_runMode = RunMode::None;
    SaverWindow* m_pSaverWindow = nullptr;
    bool m_bPromoPending = false;
};

// The weather timer's tick, every 15 minutes: downloads the observation again
// and refreshes the full-screen window's weather; nothing without that window.
void TimerWeather(SaverStartup& startup);
