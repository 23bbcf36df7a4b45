#include "app/SaverModeHost.h"
#include "app/Trace.h"
#include "platform/DebugOutput.h"

#include <string>

namespace {

// Said both in the framework's log and on standard error, so that a person
// who starts the program sees why nothing opened.
void reportMissing(const std::string& prefix, const std::string& what) {
    const std::string line = prefix + what + " is not part of this build; ending.";
    if (isLogging()) {
        logMessage(line);
    }
    platform::debugOutput(line + "\n");
}

class StandInModeHost : public SaverModeHost {
public:
    bool createPreview(unsigned long, const DrawingWindowSettings&) override {
        reportMissing("CSaverApp::InitInstance() - ", "The preview drawing window");
        return false;
    }
    SaverWindow* createFullScreen(const DrawingWindowSettings&) override {
        reportMissing("CSaverApp::InitInstance() - ", "The full-screen saver window");
        return nullptr;
    }
    SaverWindow* createDaemonShow(unsigned long, const DrawingWindowSettings&) override {
        reportMissing("CSaverApp::InitInstance() - ", "The saver daemon's show");
        return nullptr;
    }
    bool runSettingsDialog(ConfigurationValues&, UsageTracker&) override {
        reportMissing("CSaverApp::runConfiguration() - ", "The settings dialog");
        return false;
    }
};

class StandInCatalogueHost : public PackCatalogueHost {
public:
    void fetchConfiguration() override {}
    void loadCatalogue() override {}
    bool shouldShowPromo() override { return false; }
    void preparePromo(const std::function<void(const std::string&)>&) override {}
    void showPromo() override {}
};

class StandInWeatherHost : public WeatherHost {
public:
    bool refetchObservation() override { return false; }
    void setTemperatureUnit(const std::string& unit) override { m_csTempUnit = unit; }

private:
    std::string m_csTempUnit = "F";
};

} // namespace

SaverHosts makeStandInHosts() {
    SaverHosts hosts;
    hosts.modes = std::make_unique<StandInModeHost>();
    hosts.catalogue = std::make_unique<StandInCatalogueHost>();
    hosts.weather = std::make_unique<StandInWeatherHost>();
    return hosts;
}
