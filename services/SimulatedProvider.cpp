#include "services/SimulatedProvider.h"

#include "services/SkyCodes.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace {

struct Slot {
    int day;
    int night;
};

// One entry an hour; every condition group is in it.
constexpr std::array<Slot, 24> kPattern = {{
    {32, 31}, {32, 31}, {34, 33}, {34, 33}, {20, 20}, {20, 20}, {30, 29}, {30, 29},
    {32, 31}, {34, 33}, {30, 29}, {28, 27}, {26, 26}, {11, 11}, {12, 12}, {4, 4},
    {26, 26}, {30, 29}, {16, 16}, {28, 27}, {34, 33}, {32, 31}, {30, 29}, {9, 9},
}};

std::uint32_t placeHash(const GeoPoint& point) {
    // FNV-1a over the coordinates rounded to about a kilometre.
    const auto lat = static_cast<std::int32_t>(std::lround(point.latitude * 100));
    const auto lon = static_cast<std::int32_t>(std::lround(point.longitude * 100));
    std::uint32_t hash = 2166136261u;
    for (std::int32_t part : {lat, lon}) {
        for (int i = 0; i < 4; ++i) {
            hash ^= static_cast<std::uint32_t>(part >> (8 * i)) & 0xFFu;
            hash *= 16777619u;
        }
    }
    return hash;
}

bool isPrecipitation(int skyCode) {
    return skyCode == 4 || skyCode == 9 || skyCode == 11 || skyCode == 12 || skyCode == 16;
}

} // namespace

bool SimulatedProvider::observe(const GeoPoint& point, std::int64_t nowSeconds,
                                Observation& observation, std::string& /*error*/) {
    const std::uint32_t hash = placeHash(point);
    // Local solar time from the longitude: 15 degrees an hour.
    const double utcHours = static_cast<double>(((nowSeconds % 86400) + 86400) % 86400) / 3600.0;
    const double solarHours = std::fmod(utcHours + point.longitude / 15.0 + 48.0, 24.0);
    const int hour = static_cast<int>(solarHours);
    const bool isDay = solarHours >= 6.0 && solarHours < 18.0;

    const Slot slot = kPattern[static_cast<std::size_t>((hour + static_cast<int>(hash % 24)) % 24)];
    observation.skyCode = isDay ? slot.day : slot.night;
    observation.text = skyCodeText(observation.skyCode);

    // Warmer towards the equator, warmest mid-afternoon, cooler when wet.
    const double mean = 88.0 - 0.9 * std::fabs(point.latitude) + static_cast<int>(hash % 9) - 4;
    const double swing = 9.0 * std::cos((solarHours - 15.0) * 3.14159265358979 / 12.0);
    double temperature = mean + swing - (isPrecipitation(observation.skyCode) ? 5.0 : 0.0);
    if (observation.skyCode == 16) {
        temperature = std::fmin(temperature, 30.0);
    }
    observation.temperatureF = roundHalfAway(temperature);
    return true;
}
