#pragma once

#include <string>

inline constexpr int kSkyCodeNotAvailable = 48;

// The usual condition text for a sky code 0-48 ("Not Available" for any other).
std::string skyCodeText(int skyCode);

// Sky code for a weather service icon address such as
// ".../icons/land/night/rain_showers,40/tsra,60?size=medium": the first
// condition decides, with the day/night part of the path.
// kSkyCodeNotAvailable when the address names no known condition.
int skyCodeForNwsIcon(const std::string& iconUrl);

// Sky code for a condition text ("Light Rain", "Mostly Cloudy"...), the
// fallback when an observation carries no icon.
int skyCodeForConditionText(const std::string& text, bool isDay);

struct WmoCondition {
    int skyCode = kSkyCodeNotAvailable;
    std::string text;
};

// Sky code and condition text for a WMO weather interpretation code.
WmoCondition conditionForWmoCode(int wmoCode, bool isDay);
