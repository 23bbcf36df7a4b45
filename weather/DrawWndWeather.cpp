#include "weather/DrawWndWeather.h"

#include "app/SettingsKeys.h"
#include "packs/SsConfig.h"
#include "slideshow/FrameComposer.h"
#include "weather/WeatherObservation.h"

namespace {

constexpr const char* kRefreshPrefix = "refreshOurWeatherInfo() ";

} // namespace

DrawWndWeather::DrawWndWeather(FrameComposer& composer, ImageSelectionEnvironment& environment,
                               WeatherObservation* pObservation, SsConfig* pConfig, DrawNow drawNow)
    : m_composer(composer), m_environment(environment), m_pObservation(pObservation),
      m_pConfig(pConfig), m_drawNow(std::move(drawNow)) {}

bool DrawWndWeather::isLogging() const {
    return m_environment.isLogging();
}

void DrawWndWeather::log(const std::string& csLine) const {
    m_environment.logMessage(csLine);
}

void DrawWndWeather::setLocation(const std::string& csDisplayName,
                                 const std::string& csLocationID) {
    m_composer.m_csDisplayName = csDisplayName;
    m_composer.m_csLocationID = csLocationID;
    updateWeather();
}

void DrawWndWeather::updateWeather() {
    g_csTempUnit = settings::temperatureUnit();
    if (m_pObservation == nullptr ||
        !m_pObservation->fetchObservation(m_composer.m_csLocationID, g_csTempUnit)) {
        // The values of the last good observation stay.
        return;
    }
    loadWeatherIfConnected();
    m_drawNow(false);
}

void DrawWndWeather::fetchConfigurationIfMissing() {
    if (m_pConfig != nullptr && !m_pConfig->isLoaded()) {
        m_pConfig->fetch();
    }
}

bool DrawWndWeather::loadWeatherIfConnected() {
    if (!m_environment.connectedToInternet()) {
        return false;
    }
    fetchConfigurationIfMissing();
    getWeatherInfo();
    return true;
}

std::string DrawWndWeather::weatherValuesText() const {
    return "m_nSkyCode = " + std::to_string(m_composer.m_nSkyCode) + ", m_csTemperature = '" +
           m_composer.m_csTemperature + "', m_csCCText = '" + m_composer.m_csCCText + "'";
}

void DrawWndWeather::getWeatherInfo() {
    if (isLogging()) {
        log("getWeatherInfo() - Entering Function: Before update of weather info: " +
            weatherValuesText());
    }
    if (m_pObservation != nullptr) {
        m_composer.m_nSkyCode = m_pObservation->getSkyCode();
        m_composer.m_csTemperature = m_pObservation->getTemperature();
        m_composer.m_csCCText = m_pObservation->getCCText();
    }
    if (isLogging()) {
        log("getWeatherInfo() - Exiting Function: After update of weather info: " +
            weatherValuesText());
    }
}

void DrawWndWeather::refreshOurWeatherInfo() {
    if (isLogging()) {
        log(std::string(kRefreshPrefix) + "Entering Function: ");
    }
    if (!m_environment.connectedToInternet()) {
        if (isLogging()) {
            log(std::string(kRefreshPrefix) +
                "Exiting Function: This is not a refreshID we are interested in.  Going to "
                "ignore it.");
        }
        return;
    }
    if (isLogging()) {
        log(std::string(kRefreshPrefix) + "Going to update our weather info.");
    }
    fetchConfigurationIfMissing();
    getWeatherInfo();
    m_drawNow(false);
}
