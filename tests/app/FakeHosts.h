#pragma once

#include "AppTestEnvironment.h"
#include "app/SaverModeHost.h"
#include "app/SaverStartup.h"
#include "app/UsageTracker.h"

#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <vector>

class FakeSaverWindow : public SaverWindow {
public:
    void refreshOurWeatherInfo() override { ++m_nRefreshes; }
    int m_nRefreshes = 0;
};

// Records what the start-up asked of the windows; the settings dialog does
// whatever m_dialog says.
class FakeModeHost : public SaverModeHost {
public:
    bool createPreview(unsigned long parentWindowId,
                       const DrawingWindowSettings& settings) override {
        m_calls.push_back("preview");
        m_nParentWindowId = parentWindowId;
        m_settings = settings;
        return true;
    }
    SaverWindow* createFullScreen(const DrawingWindowSettings& settings) override {
        m_calls.push_back("fullscreen");
        m_settings = settings;
        return m_pWindowToMake;
    }
    SaverWindow* createDaemonShow(unsigned long windowId,
                                  const DrawingWindowSettings& settings) override {
        m_calls.push_back("daemon");
        m_nParentWindowId = windowId;
        m_settings = settings;
        return m_pWindowToMake;
    }
    bool runSettingsDialog(ConfigurationValues& values, UsageTracker&) override {
        m_calls.push_back("dialog");
        m_shownValues = values;
        return m_dialog ? m_dialog(values) : false;
    }

    std::vector<std::string> m_calls;
    unsigned long m_nParentWindowId = 0;
    DrawingWindowSettings m_settings;
    ConfigurationValues m_shownValues;
    std::function<bool(ConfigurationValues&)> m_dialog;
    FakeSaverWindow m_window;
    // What the show modes hand back: m_window unless a test says otherwise.
    SaverWindow* m_pWindowToMake = &m_window;
};

class FakeCatalogueHost : public PackCatalogueHost {
public:
    void fetchConfiguration() override { m_calls.push_back("fetch"); }
    void loadCatalogue() override { m_calls.push_back("load"); }
    bool shouldShowPromo() override {
        m_calls.push_back("should");
        return m_bOfferPromo;
    }
    void preparePromo(const std::function<void(const std::string&)>& sendTrackingPing) override {
        m_calls.push_back("prepare");
        m_sendTrackingPing = sendTrackingPing;
    }
    void showPromo() override { m_calls.push_back("show"); }

    std::vector<std::string> m_calls;
    bool m_bOfferPromo = false;
    std::function<void(const std::string&)> m_sendTrackingPing;
};

class FakeWeatherHost : public WeatherHost {
public:
    bool refetchObservation() override {
        ++m_nRefetches;
        return m_bRefetchWorks;
    }
    void setTemperatureUnit(const std::string& unit) override { m_units.push_back(unit); }

    bool m_bRefetchWorks = true;
    int m_nRefetches = 0;
    std::vector<std::string> m_units;
};

class NullHourlyTimer : public HourlyTimer {
public:
    bool isRunning() const override { return m_bRunning; }
    bool start(int) override { return m_bRunning = true; }
    bool m_bRunning = false;
};

// The start-up wired to a fake of every host, in a private environment.
class StartupWithFakeHosts : public ::testing::Test {
protected:
    AppTestEnvironment m_env;
    FakeModeHost m_modes;
    FakeCatalogueHost m_catalogue;
    FakeWeatherHost m_weather;
    NullHourlyTimer m_timer;
    SaverStartup m_startup{m_modes, m_catalogue, m_weather, m_timer};
};
