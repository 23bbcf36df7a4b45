#include "app/SaverStartup.h"

#include "app/DaemonSwitch.h"
#include "app/LegacyLocation.h"
#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "app/Trace.h"
#include "platform/DebugOutput.h"

#include <cstdlib>

SaverStartup::SaverStartup(SaverModeHost& modes, PackCatalogueHost& catalogue, WeatherHost& weather,
                           HourlyTimer& timer)
    : m_modes(modes), m_catalogue(catalogue), m_weather(weather), m_tracker(timer) {}

SaverStartup::~SaverStartup() {
    rememberSaverWindow(nullptr);
}

bool SaverStartup::InitInstance(const std::vector<std::string>& arguments) {
    m_tracker.readIdentity();
    if (g_pTovakInterface == nullptr || !g_pTovakInterface->isLoaded()) {
        // The library wrapper has already shown why it could not load.
        m_tracker.sendTrackingPingDirect("159", "");
        return false;
    }
    m_tracker.sendTrackingPing("3", "");
    m_tracker.sendTrackingPing("29", "");
    m_tracker.sendUsagePing();
    traceCommandLine(arguments);
    migrateLegacyLocation();
    // The image stack (cairo, libjpeg) needs no process-wide start-up.
    m_runMode = chooseRunMode(arguments);
    switch (m_runMode) {
    case RunMode::Configure:
        runConfiguration();
        return false;
    case RunMode::Preview:
        return runPreview(arguments);
    case RunMode::FullScreen:
        return runFullScreen();
    case RunMode::SaverDaemon:
        return runDaemonShow(arguments);
    case RunMode::None:
        break;
    }
    return false;
}

void SaverStartup::traceCommandLine(const std::vector<std::string>& arguments) const {
    if (!isLogging()) {
        return;
    }
    std::string line = "CSaverApp::InitInstance() - Entering Function:  Command Line: ";
    for (const std::string& argument : arguments) {
        line += argument + " ";
    }
    logMessage(line);
}

bool SaverStartup::runPreview(const std::vector<std::string>& arguments) {
    unsigned long parentWindowId = 0;
    if (!parsePreviewWindowId(arguments, parentWindowId)) {
        platform::debugOutput("nimbora-screensaver: the preview needs the id of the window to "
                              "draw in, as in \"/p 12345\"\n");
        return false;
    }
    m_catalogue.fetchConfiguration();
    DrawingWindowSettings settings = readShowSettings();
    chooseImagePack(settings);
    return m_modes.createPreview(parentWindowId, settings);
}

bool SaverStartup::runFullScreen() {
    if (settings::get(settings::kLocID).empty() || settings::get(settings::kDisplayName).empty()) {
        // No place to show the weather for: let the user choose one instead.
        runConfiguration();
        return false;
    }
    m_catalogue.fetchConfiguration();
    m_catalogue.loadCatalogue();
    m_bPromoPending = g_pTovakInterface->connectedToInternet() && m_catalogue.shouldShowPromo();
    if (m_bPromoPending) {
        m_catalogue.preparePromo(
            [this](const std::string& code) { m_tracker.sendTrackingPing(code, ""); });
    }
    m_tracker.checkTrackingTime(true);
    markFirstLaunch();
    DrawingWindowSettings settings = readShowSettings();
    chooseImagePack(settings);
    rememberSaverWindow(m_modes.createFullScreen(settings));
    return m_pSaverWindow != nullptr;
}

bool SaverStartup::runDaemonShow(const std::vector<std::string>& arguments) {
    unsigned long windowId = 0;
    std::string error;
    if (!parseDaemonWindowId(arguments, std::getenv("XSCREENSAVER_WINDOW"), windowId, error)) {
        platform::debugOutput("nimbora-screensaver: " + error + "\n");
        return false;
    }
    // The full-screen steps, but never a dialog: the daemon may be showing
    // the show over a locked screen. Without a location the photos go on
    // without weather, and no promotion is prepared.
    m_catalogue.fetchConfiguration();
    m_catalogue.loadCatalogue();
    m_tracker.checkTrackingTime(true);
    markFirstLaunch();
    DrawingWindowSettings settings = readShowSettings();
    chooseImagePack(settings);
    rememberSaverWindow(m_modes.createDaemonShow(windowId, settings));
    return m_pSaverWindow != nullptr;
}

void SaverStartup::markFirstLaunch() {
    if (settings::get(settings::kFirstLaunch).empty()) {
        m_tracker.sendTrackingPing("27", "");
        m_tracker.sendTrackingPing("29", "");
        settings::set(settings::kFirstLaunch, "false");
    }
}

void SaverStartup::rememberSaverWindow(SaverWindow* pWindow) {
    if (m_pSaverWindow != nullptr) {
        m_pSaverWindow->whenGone({});
    }
    m_pSaverWindow = pWindow;
    if (m_pSaverWindow != nullptr) {
        m_pSaverWindow->whenGone([this] { m_pSaverWindow = nullptr; });
    }
}

void SaverStartup::runConfiguration() {
    ConfigurationValues values = loadConfigurationValues();
    m_weather.setTemperatureUnit(values.m_tempUnit);
    if (!m_modes.runSettingsDialog(values, m_tracker)) {
        return;
    }
    values.m_tempUnit = normalisedTempUnit(values.m_tempUnit);
    storeConfigurationValues(values);
    m_weather.setTemperatureUnit(values.m_tempUnit);
}

void SaverStartup::ExitInstance() {
    if (m_bPromoPending) {
        m_bPromoPending = false;
        m_catalogue.showPromo();
    }
}

void SaverStartup::refreshSaverWeather() {
    if (m_pSaverWindow != nullptr && m_weather.refetchObservation()) {
        m_pSaverWindow->refreshOurWeatherInfo();
    }
}

void TimerWeather(SaverStartup& startup) {
    if (isLogging()) {
        logMessage("TimerWeather() Timer fired");
    }
    startup.refreshSaverWeather();
}
