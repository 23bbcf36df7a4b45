#pragma once

#include "app/ConfigurationValues.h"
#include "app/DrawingWindowSettings.h"
#include "app/UsageTracker.h"

#include <functional>
#include <memory>
#include <string>

// The full-screen window as the application object sees it.
class SaverWindow {
public:
    virtual ~SaverWindow() {
        if (m_whenGone) {
            m_whenGone();
        }
    }
    // Re-reads the stored observation and redraws the panel.
    virtual void refreshOurWeatherInfo() = 0;
    // Called once the window is being destroyed, so that nothing reaches it
    // afterwards; an empty function forgets an earlier one.
    void whenGone(std::function<void()> onGone) { m_whenGone = std::move(onGone); }

private:
    std::function<void()> m_whenGone;
};

// Makes the windows of the run modes. Each created window becomes the main
// window: the program runs until it is destroyed.
class SaverModeHost {
public:
    virtual ~SaverModeHost() = default;
    // A drawing window inside the X11 window parentWindowId, following its
    // size, changing photos at the preview speed. False when none was made.
    virtual bool createPreview(unsigned long parentWindowId,
                               const DrawingWindowSettings& settings) = 0;
    // The full-screen saver window, or null when none was made. The host
    // owns it; the returned pointer stays valid until the window is destroyed.
    virtual SaverWindow* createFullScreen(const DrawingWindowSettings& settings) = 0;
    // The show inside a saver daemon's X11 window (0: the root window),
    // following its size; it ignores input (the daemon owns it) and leaves
    // other monitors alone. Null when none was made; owned like the above.
    virtual SaverWindow* createDaemonShow(unsigned long windowId,
                                          const DrawingWindowSettings& settings) = 0;
    // Shows the settings dialog modally over values; true when it ended with
    // OK (values then hold what the user chose). The dialog sends its usage
    // ping through tracker.
    virtual bool runSettingsDialog(ConfigurationValues& values, UsageTracker& tracker) = 0;
};

// A host that makes some of the windows itself and passes the others on to
// the host it was given; each window host overrides only its own.
class ForwardingModeHost : public SaverModeHost {
public:
    explicit ForwardingModeHost(std::unique_ptr<SaverModeHost> pOtherModes)
        : m_pOtherModes(std::move(pOtherModes)) {}

    bool createPreview(unsigned long parentWindowId,
                       const DrawingWindowSettings& settings) override {
        return m_pOtherModes->createPreview(parentWindowId, settings);
    }
    SaverWindow* createFullScreen(const DrawingWindowSettings& settings) override {
        return m_pOtherModes->createFullScreen(settings);
    }
    SaverWindow* createDaemonShow(unsigned long windowId,
                                  const DrawingWindowSettings& settings) override {
        return m_pOtherModes->createDaemonShow(windowId, settings);
    }
    bool runSettingsDialog(ConfigurationValues& values, UsageTracker& tracker) override {
        return m_pOtherModes->runSettingsDialog(values, tracker);
    }

private:
    std::unique_ptr<SaverModeHost> m_pOtherModes;
};

// The configuration document, the pack catalogue and the promotion of a new pack.
class PackCatalogueHost {
public:
    virtual ~PackCatalogueHost() = default;
    // Fetches ssconfig.xml from the configuration service.
    virtual void fetchConfiguration() = 0;
    // Loads the catalogue with its persisted state.
    virtual void loadCatalogue() = 0;
    virtual bool shouldShowPromo() = 0;
    // Prepares the promotion of the chosen pack (its picture is downloaded
    // now); its answers send their tracking pings through sendTrackingPing.
    virtual void preparePromo(const std::function<void(const std::string&)>& sendTrackingPing) = 0;
    // Shows the prepared dialog modally; called as the program ends.
    virtual void showPromo() = 0;
};

// The process-wide weather holder.
class WeatherHost {
public:
    virtual ~WeatherHost() = default;
    // Downloads the observation for the stored location again.
    virtual bool refetchObservation() = 0;
    // The unit ("F" or "C") every temperature is shown in.
    virtual void setTemperatureUnit(const std::string& unit) = 0;
};

// What a build has for each of the above; the parts not built yet stand in
// with hosts that log their absence and make nothing.
struct SaverHosts {
    std::unique_ptr<SaverModeHost> modes;
    std::unique_ptr<PackCatalogueHost> catalogue;
    std::unique_ptr<WeatherHost> weather;
};

SaverHosts makeStandInHosts();

// The hosts this program runs with (the windowing layer's; stand-ins where a
// window is not built yet). The application object calls it once.
SaverHosts makeSaverHosts();
