#pragma once

#include <functional>
#include <string>

class FrameComposer;
class ImageSelectionEnvironment;
class SsConfig;
class WeatherObservation;

// The drawing window's weather operations, free of the window: they fill
// the composer's weather values from the process-wide observation and ask
// the window to compose its photo again. The window forwards its own
// operations of the same names here.
class DrawWndWeather {
public:
    // Redraws the window; the argument says whether to change the photo.
    using DrawNow = std::function<void(bool changeImage)>;

    // None of the references is owned; each must outlive this object. A
    // null observation or configuration means there is none in this
    // process: nothing is fetched and the values stay as they are.
    DrawWndWeather(FrameComposer& composer, ImageSelectionEnvironment& environment,
                   WeatherObservation* pObservation, SsConfig* pConfig, DrawNow drawNow);

    // Stores the place and fetches its weather.
    void setLocation(const std::string& csDisplayName, const std::string& csLocationID);
    // Takes the unit from the settings, fetches the observation and, when
    // that worked, reads it and redraws the photo on screen.
    void updateWeather();
    // Reads the stored observation when the computer is online (fetching
    // the configuration first if it is still missing); false otherwise.
    bool loadWeatherIfConnected();
    void getWeatherInfo();
    // Reads the stored observation again and redraws, without downloading.
    void refreshOurWeatherInfo();

private:
    bool isLogging() const;
    void log(const std::string& csLine) const;
    void fetchConfigurationIfMissing();
    std::string weatherValuesText() const;

    FrameComposer& m_composer;
    ImageSelectionEnvironment& m_environment;
    WeatherObservation* m_pObservation;
    SsConfig* m_pConfig;
    DrawNow m_drawNow;
};
