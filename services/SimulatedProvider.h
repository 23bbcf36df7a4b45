#pragma once

#include "services/WeatherProvider.h"

// Offline weather: plausible, deterministic for a place and a time of day.
// Each place runs through a daily pattern (shifted by a hash of its
// coordinates) in which clear, fair, partly cloudy, cloudy, rain,
// thunderstorm, snow and fog all appear; day and night follow the sun at the
// place's longitude, the temperature its latitude and the hour.
class SimulatedProvider : public WeatherProvider {
public:
    bool observe(const GeoPoint& point, std::int64_t nowSeconds, Observation& observation,
                 std::string& error) override;
};
