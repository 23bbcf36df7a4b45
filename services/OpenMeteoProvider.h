#pragma once

#include "services/UpstreamClient.h"
#include "services/WeatherProvider.h"

// Current conditions from the Open-Meteo forecast API (temperature_2m,
// weather_code, is_day), for places anywhere.
class OpenMeteoProvider : public WeatherProvider {
public:
    explicit OpenMeteoProvider(UpstreamClient client) : m_client(std::move(client)) {}

    bool observe(const GeoPoint& point, std::int64_t nowSeconds, Observation& observation,
                 std::string& error) override;

    static bool parseCurrent(const std::string& json, Observation& observation, std::string& error);

private:
    UpstreamClient m_client;
};
