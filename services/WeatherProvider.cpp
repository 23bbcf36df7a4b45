#include "services/WeatherProvider.h"

#include <cmath>

int roundHalfAway(double value) {
    return static_cast<int>(value >= 0 ? std::floor(value + 0.5) : std::ceil(value - 0.5));
}

int celsiusToFahrenheit(double celsius) {
    return roundHalfAway(celsius * 9.0 / 5.0 + 32.0);
}
