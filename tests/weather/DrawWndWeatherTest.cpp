#include "weather/DrawWndWeather.h"

#include "RecordingEnvironment.h"
#include "ServiceFixture.h"
#include "app/SettingsStore.h"
#include "packs/SsConfig.h"
#include "slideshow/FrameComposer.h"
#include "weather/WeatherObservation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace weather_testing;

namespace {

class WindowWeather : public ::testing::Test {
protected:
    WindowWeather() {
        m_services.setObservation(observationDocument("12", "50", "Rain"));
        m_services.setConfiguration("<ss><app><cycle>c1</cycle></app></ss>");
    }
    ~WindowWeather() override { g_csTempUnit.assign(1, 'F'); }

    ServiceFixture m_services;
    RecordingEnvironment m_environment;
    SsConfig m_config;
    WeatherObservation m_observation{m_config};
    FrameComposer m_composer{m_environment};
    std::vector<bool> m_draws;
    DrawWndWeather m_weather{m_composer, m_environment, &m_observation, &m_config,
                             [this](bool changeImage) { m_draws.push_back(changeImage); }};
};

TEST_F(WindowWeather, SettingTheLocationFetchesReadsAndRedrawsTheSamePhoto) {
    SettingsStore::SetString("", "ut", "C");
    m_weather.setLocation("Boulder, CO", "US80301");
    EXPECT_EQ(m_composer.m_csDisplayName, "Boulder, CO");
    EXPECT_EQ(m_composer.m_csLocationID, "US80301");
    EXPECT_EQ(m_composer.m_nSkyCode, 12);
    EXPECT_EQ(m_composer.m_csTemperature, "10\xC2\xB0"
                                          "C");
    EXPECT_EQ(m_composer.m_csCCText, "Rain");
    EXPECT_EQ(m_draws, std::vector<bool>{false});
    // The configuration was missing, so it was fetched on the way.
    EXPECT_TRUE(m_config.isLoaded());
    EXPECT_EQ(m_environment.m_lines.back(),
              "getWeatherInfo() - Exiting Function: After update of weather info: m_nSkyCode = "
              "12, m_csTemperature = '10\xC2\xB0"
              "C', m_csCCText = 'Rain'");
}

TEST_F(WindowWeather, AnUnknownUnitReadsAsFahrenheit) {
    for (const char* szUnit : {"K", "", "c", "FC"}) {
        SettingsStore::SetString("", "ut", szUnit);
        m_weather.updateWeather();
        EXPECT_EQ(g_csTempUnit, "F") << szUnit;
    }
}

TEST_F(WindowWeather, AFailedFetchKeepsTheValuesAndDrawsNothing) {
    m_weather.setLocation("Boulder, CO", "US80301");
    m_services.setObservation("");
    m_draws.clear();
    m_weather.setLocation("Nowhere", "US00000");
    EXPECT_EQ(m_composer.m_csCCText, "Rain");
    EXPECT_TRUE(m_draws.empty());
    // An empty location asks nothing at all.
    const std::size_t nRequests = m_services.requestsUnder("/wxdata/");
    m_weather.setLocation("", "");
    EXPECT_EQ(m_services.requestsUnder("/wxdata/"), nRequests);
}

TEST_F(WindowWeather, RefreshReReadsTheStoredDocumentWithoutDownloading) {
    m_weather.setLocation("Boulder, CO", "US80301");
    m_services.setObservation(observationDocument("32", "90", "Sunny"));
    const std::size_t nRequests = m_services.requestsUnder("/");
    m_composer.m_csCCText = "changed since";
    m_draws.clear();
    m_environment.m_lines.clear();
    m_weather.refreshOurWeatherInfo();
    EXPECT_EQ(m_services.requestsUnder("/"), nRequests);
    EXPECT_EQ(m_composer.m_csCCText, "Rain");
    EXPECT_EQ(m_draws, std::vector<bool>{false});
    EXPECT_EQ(m_environment.m_lines.front(), "refreshOurWeatherInfo() Entering Function: ");
    EXPECT_EQ(m_environment.m_lines[1],
              "refreshOurWeatherInfo() Going to update our weather info.");
}

TEST_F(WindowWeather, OfflineTheValuesStayAndNothingIsRedrawn) {
    m_weather.setLocation("Boulder, CO", "US80301");
    m_environment.m_bConnected = false;
    m_draws.clear();
    m_environment.m_lines.clear();
    m_composer.m_csCCText = "kept";
    EXPECT_FALSE(m_weather.loadWeatherIfConnected());
    m_weather.refreshOurWeatherInfo();
    EXPECT_EQ(m_composer.m_csCCText, "kept");
    EXPECT_TRUE(m_draws.empty());
    EXPECT_EQ(m_environment.m_lines.back(),
              "refreshOurWeatherInfo() Exiting Function: This is not a refreshID we are "
              "interested in.  Going to ignore it.");
}

TEST_F(WindowWeather, WithoutAnObservationNothingIsFetchedOrChanged) {
    DrawWndWeather weather(m_composer, m_environment, nullptr, nullptr, [](bool) {});
    m_composer.m_nSkyCode = 5;
    weather.setLocation("Boulder, CO", "US80301");
    weather.refreshOurWeatherInfo();
    EXPECT_EQ(m_composer.m_nSkyCode, 5);
    EXPECT_EQ(m_services.requestsUnder("/"), 0u);
}

} // namespace
