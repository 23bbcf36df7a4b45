#include "app/CSaverApp.h"

#include "app/PendingMessageBoxes.h"
#include "platform/MessageBox.h"
#include "ui/ToolkitMessageBox.h"
#include "weather/ObservationHost.h"
#include "weather/WeatherTimer.h"

#include <atomic>
#include <csignal>
#include <wx/timer.h>
#include <wx/window.h>

namespace {

std::atomic<bool> g_bEndedBySignal{false};

std::vector<std::string>& commandLine() {
    static std::vector<std::string> arguments;
    return arguments;
}

} // namespace

// The hourly tracking timer, firing on the user-interface thread.
class HourlyWxTimer : public wxTimer, public HourlyTimer {
public:
    explicit HourlyWxTimer(CSaverApp& app) : m_app(app) {}
    bool isRunning() const override { return IsRunning(); }
    bool start(int periodMs) override { return Start(periodMs, wxTIMER_CONTINUOUS); }
    void Notify() override { Timer24Hour(m_app.startup().tracker()); }

private:
    CSaverApp& m_app;
};

// The 15-minute weather timer, firing on the user-interface thread.
class WeatherWxTimer : public wxTimer, public WeatherTimer {
public:
    explicit WeatherWxTimer(CSaverApp& app) : m_app(app) {}
    unsigned SetTimer(unsigned nElapseMs) override {
        return Start(static_cast<int>(nElapseMs), wxTIMER_CONTINUOUS) ? kTimerId : 0;
    }
    void KillTimer(unsigned) override { Stop(); }
    void Notify() override { TimerWeather(m_app.startup()); }

private:
    static constexpr unsigned kTimerId = 1;
    CSaverApp& m_app;
};

CSaverApp::CSaverApp()
    : m_pWeatherTimer(std::make_unique<WeatherWxTimer>(*this)), m_hosts(makeSaverHosts()),
      m_pHourlyTimer(std::make_unique<HourlyWxTimer>(*this)),
      m_pStartup(std::make_unique<SaverStartup>(*m_hosts.modes, *m_hosts.catalogue,
                                                *m_hosts.weather, *m_pHourlyTimer)) {
    if (g_pWeatherObservation != nullptr) {
        g_pWeatherObservation->setWeatherTimer(m_pWeatherTimer.get());
    }
}

CSaverApp::~CSaverApp() {
    // The timer goes first so that it cannot fire into a half-destroyed object.
    m_pHourlyTimer->Stop();
    m_pHourlyTimer.reset();
}

void CSaverApp::setCommandLine(std::vector<std::string> arguments) {
    commandLine() = std::move(arguments);
}

void CSaverApp::installMessageBoxes() {
    const std::vector<PendingMessageBox> pending = takePendingMessageBoxes();
    if (messageBoxesGoToStandardError()) {
        platform::setMessageBoxHandler({});
    } else {
        platform::setMessageBoxHandler(showToolkitMessageBox);
    }
    for (const PendingMessageBox& box : pending) {
        platform::showMessageBox(box.title, box.text);
    }
}

bool CSaverApp::OnInit() {
    installMessageBoxes();
    m_bKeepRunning = InitInstance();
    if (m_bKeepRunning) {
        SetSignalHandler(SIGTERM, &CSaverApp::endOnSignal);
        SetSignalHandler(SIGINT, &CSaverApp::endOnSignal);
    }
    // OnInit must succeed even when the program is to end, so that it ends
    // through OnExit with the default exit code rather than as a failure.
    return true;
}

int CSaverApp::OnRun() {
    return m_bKeepRunning ? wxApp::OnRun() : 0;
}

int CSaverApp::OnExit() {
    ExitInstance();
    return wxApp::OnExit();
}

bool CSaverApp::InitInstance() {
    if (commandLine().empty()) {
        commandLine().push_back(argv[0].utf8_string());
        for (int i = 1; i < argc; ++i) {
            commandLine().push_back(argv[i].utf8_string());
        }
    }
    return m_pStartup->InitInstance(commandLine());
}

int CSaverApp::ExitInstance() {
    if (!endedBySignal()) {
        m_pStartup->ExitInstance();
    }
    return 0;
}

bool CSaverApp::endedBySignal() {
    return g_bEndedBySignal;
}

void CSaverApp::endOnSignal(int) {
    // Called from the event loop, not from the signal handler itself.
    g_bEndedBySignal = true;
    if (wxWindow* pTop = wxTheApp->GetTopWindow()) {
        pTop->Hide();
    }
    wxTheApp->ExitMainLoop();
}

void CSaverApp::refreshSaverWeather() {
    m_pStartup->refreshSaverWeather();
}

void CSaverApp::checkTrackingTime(bool atStartUp) {
    m_pStartup->tracker().checkTrackingTime(atStartUp);
}
