#include "services/SkyCodes.h"

#include "services/TextCase.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>

namespace {

struct DayNight {
    int day;
    int night;
};

const std::map<std::string, DayNight>& nwsConditions() {
    static const std::map<std::string, DayNight> table = {
        {"skc", {32, 31}},       {"few", {34, 33}},          {"sct", {30, 29}},
        {"bkn", {28, 27}},       {"ovc", {26, 26}},          {"wind_skc", {24, 24}},
        {"wind_few", {24, 24}},  {"wind_sct", {30, 29}},     {"wind_bkn", {28, 27}},
        {"wind_ovc", {26, 26}},  {"snow", {16, 16}},         {"rain_snow", {5, 5}},
        {"rain_sleet", {6, 6}},  {"snow_sleet", {7, 7}},     {"fzra", {10, 10}},
        {"rain_fzra", {10, 10}}, {"snow_fzra", {7, 7}},      {"sleet", {18, 18}},
        {"rain", {12, 12}},      {"rain_showers", {11, 11}}, {"rain_showers_hi", {40, 40}},
        {"tsra", {4, 4}},        {"tsra_sct", {38, 47}},     {"tsra_hi", {37, 47}},
        {"tornado", {0, 0}},     {"hurricane", {2, 2}},      {"tropical_storm", {1, 1}},
        {"dust", {19, 19}},      {"smoke", {22, 22}},        {"haze", {21, 21}},
        {"hot", {36, 36}},       {"cold", {25, 25}},         {"blizzard", {15, 15}},
        {"fog", {20, 20}},
    };
    return table;
}

bool contains(const std::string& text, const char* word) {
    return text.find(word) != std::string::npos;
}

} // namespace

std::string skyCodeText(int skyCode) {
    static const std::array<const char*, 49> kTexts = {"Tornado",
                                                       "Tropical Storm",
                                                       "Hurricane",
                                                       "Severe Thunderstorms",
                                                       "Thunderstorms",
                                                       "Rain and Snow",
                                                       "Rain and Sleet",
                                                       "Snow and Sleet",
                                                       "Freezing Drizzle",
                                                       "Drizzle",
                                                       "Freezing Rain",
                                                       "Showers",
                                                       "Rain",
                                                       "Flurries",
                                                       "Light Snow",
                                                       "Blowing Snow",
                                                       "Snow",
                                                       "Hail",
                                                       "Sleet",
                                                       "Dust",
                                                       "Fog",
                                                       "Haze",
                                                       "Smoke",
                                                       "Blustery",
                                                       "Windy",
                                                       "Cold",
                                                       "Cloudy",
                                                       "Mostly Cloudy",
                                                       "Mostly Cloudy",
                                                       "Partly Cloudy",
                                                       "Partly Cloudy",
                                                       "Clear",
                                                       "Sunny",
                                                       "Fair",
                                                       "Fair",
                                                       "Rain and Hail",
                                                       "Hot",
                                                       "Isolated Thunderstorms",
                                                       "Scattered Thunderstorms",
                                                       "Scattered Thunderstorms",
                                                       "Scattered Showers",
                                                       "Heavy Snow",
                                                       "Scattered Snow Showers",
                                                       "Heavy Snow",
                                                       "Partly Cloudy",
                                                       "Thundershowers",
                                                       "Snow Showers",
                                                       "Isolated Thundershowers",
                                                       "Not Available"};
    return skyCode >= 0 && skyCode <= 48 ? kTexts[static_cast<std::size_t>(skyCode)]
                                         : "Not Available";
}

int skyCodeForNwsIcon(const std::string& iconUrl) {
    std::string path = iconUrl.substr(0, iconUrl.find('?'));
    const auto land = path.find("/icons/land/");
    if (land == std::string::npos) {
        return kSkyCodeNotAvailable;
    }
    path = path.substr(land + 12);
    const auto slash = path.find('/');
    if (slash == std::string::npos) {
        return kSkyCodeNotAvailable;
    }
    const std::string time = path.substr(0, slash);
    std::string condition = path.substr(slash + 1);
    condition = condition.substr(0, condition.find_first_of(",/"));
    const auto found = nwsConditions().find(condition);
    if (found == nwsConditions().end() || (time != "day" && time != "night")) {
        return kSkyCodeNotAvailable;
    }
    return time == "day" ? found->second.day : found->second.night;
}

int skyCodeForConditionText(const std::string& text, bool isDay) {
    const std::string t = lowerCase(text);
    if (contains(t, "thunder")) {
        return 4;
    }
    if (contains(t, "freezing")) {
        return contains(t, "drizzle") ? 8 : 10;
    }
    if (contains(t, "snow") && contains(t, "rain")) {
        return 5;
    }
    if (contains(t, "snow")) {
        return contains(t, "light") ? 14 : (contains(t, "heavy") ? 43 : 16);
    }
    if (contains(t, "sleet") || contains(t, "ice pellets")) {
        return 18;
    }
    if (contains(t, "drizzle")) {
        return 9;
    }
    if (contains(t, "shower")) {
        return 11;
    }
    if (contains(t, "rain")) {
        return 12;
    }
    if (contains(t, "fog") || contains(t, "mist")) {
        return 20;
    }
    if (contains(t, "haze")) {
        return 21;
    }
    if (contains(t, "smoke")) {
        return 22;
    }
    if (contains(t, "overcast") || t == "cloudy") {
        return 26;
    }
    if (contains(t, "mostly cloudy")) {
        return isDay ? 28 : 27;
    }
    if (contains(t, "partly")) {
        return isDay ? 30 : 29;
    }
    if (contains(t, "fair") || contains(t, "mostly clear") || contains(t, "mostly sunny")) {
        return isDay ? 34 : 33;
    }
    if (contains(t, "clear") || contains(t, "sunny")) {
        return isDay ? 32 : 31;
    }
    if (contains(t, "wind") || contains(t, "breez")) {
        return 24;
    }
    return kSkyCodeNotAvailable;
}

WmoCondition conditionForWmoCode(int wmoCode, bool isDay) {
    switch (wmoCode) {
    case 0:
        return isDay ? WmoCondition{32, "Sunny"} : WmoCondition{31, "Clear"};
    case 1:
        return {isDay ? 34 : 33, "Fair"};
    case 2:
        return {isDay ? 30 : 29, "Partly Cloudy"};
    case 3:
        return {26, "Cloudy"};
    case 45:
        return {20, "Fog"};
    case 48:
        return {20, "Freezing Fog"};
    case 51:
        return {9, "Light Drizzle"};
    case 53:
        return {9, "Drizzle"};
    case 55:
        return {9, "Heavy Drizzle"};
    case 56:
    case 57:
        return {8, "Freezing Drizzle"};
    case 61:
        return {12, "Light Rain"};
    case 63:
        return {12, "Rain"};
    case 65:
        return {12, "Heavy Rain"};
    case 66:
    case 67:
        return {10, "Freezing Rain"};
    case 71:
        return {14, "Light Snow"};
    case 73:
        return {16, "Snow"};
    case 75:
        return {43, "Heavy Snow"};
    case 77:
        return {16, "Snow Grains"};
    case 80:
        return {11, "Light Rain Showers"};
    case 81:
        return {11, "Rain Showers"};
    case 82:
        return {12, "Heavy Rain Showers"};
    case 85:
        return {46, "Snow Showers"};
    case 86:
        return {43, "Heavy Snow Showers"};
    case 95:
        return {4, "Thunderstorms"};
    case 96:
    case 99:
        return {3, "Thunderstorms with Hail"};
    default:
        return {kSkyCodeNotAvailable, "Not Available"};
    }
}
