#pragma once

#include "services/UpstreamClient.h"
#include "services/WeatherProvider.h"

#include <map>
#include <mutex>
#include <vector>

// Current conditions from the US National Weather Service API:
// /points/{lat},{lon} names the observation stations of the point; the
// latest observation of the nearest station that reports a temperature is
// used (at most three stations are tried).
class NwsProvider : public WeatherProvider {
public:
    static constexpr std::size_t kMaxStations = 3;

    explicit NwsProvider(UpstreamClient client) : m_client(std::move(client)) {}

    bool observe(const GeoPoint& point, std::int64_t nowSeconds, Observation& observation,
                 std::string& error) override;

    // Reads one latest-observation answer; false when it has no temperature.
    static bool parseObservation(const std::string& json, Observation& observation,
                                 std::string& error);

private:
    bool stationsFor(const GeoPoint& point, std::vector<std::string>& stations, std::string& error);

    UpstreamClient m_client;
    std::mutex m_mutex;
    // The stations of a point do not change; ask for them once per point.
    std::map<std::string, std::vector<std::string>> m_stations;
};
