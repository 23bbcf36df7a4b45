#pragma once

#include "services/Gazetteer.h"

#include <cstdint>
#include <optional>
#include <string>

// What the observation document carries.
struct Observation {
    int skyCode = 48;
    std::optional<int> temperatureF;
    std::string text;
};

// A source of current conditions for a point. Implementations are used
// from several server threads at once.
class WeatherProvider {
public:
    virtual ~WeatherProvider() = default;
    // nowSeconds: the current time, seconds since 1970 UTC.
    virtual bool observe(const GeoPoint& point, std::int64_t nowSeconds, Observation& observation,
                         std::string& error) = 0;
};

// Whole degrees Fahrenheit from Celsius, rounded half away from zero.
int celsiusToFahrenheit(double celsius);
int roundHalfAway(double value);
