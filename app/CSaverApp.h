#pragma once

#include "app/SaverModeHost.h"
#include "app/SaverStartup.h"

#include <memory>
#include <string>
#include <vector>
#include <wx/app.h>

class HourlyWxTimer;
class WeatherWxTimer;

// The program's application object: brings the toolkit up, shows the
// message boxes kept from before, and runs the start-up and the chosen mode.
class CSaverApp : public wxApp {
public:
    CSaverApp();
    ~CSaverApp() override;

    // The command line as main received it, program path first.
    static void setCommandLine(std::vector<std::string> arguments);

    bool OnInit() override;
    int OnRun() override;
    int OnExit() override;

    bool InitInstance();
    int ExitInstance();
    void refreshSaverWeather();
    void checkTrackingTime(bool atStartUp);

    // True once SIGTERM or SIGINT ended the program.
    static bool endedBySignal();

    SaverStartup& startup() { return *m_pStartup; }
    SaverHosts& hosts() { return m_hosts; }

private:
    void installMessageBoxes();
    // Saver daemons and session tools end a show with SIGTERM (or SIGINT);
    // the show then ends at once, without a dialog.
    static void endOnSignal(int nSignal);

    // Made before the hosts and gone after them: the weather holder stops
    // it as it goes.
    std::unique_ptr<WeatherWxTimer> m_pWeatherTimer;
    SaverHosts m_hosts;
    std::unique_ptr<HourlyWxTimer> m_pHourlyTimer;
    std::unique_ptr<SaverStartup> m_pStartup;
    bool m_bKeepRunning = false;
};

wxDECLARE_APP(CSaverApp);
