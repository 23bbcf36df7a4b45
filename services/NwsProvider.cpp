#include "services/NwsProvider.h"

#include "services/SkyCodes.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

using nlohmann::json;

namespace {

const json* member(const json& object, const char* name) {
    if (!object.is_object()) {
        return nullptr;
    }
    const auto found = object.find(name);
    return found == object.end() ? nullptr : &*found;
}

std::string stringMember(const json& object, const char* name) {
    const json* value = member(object, name);
    return value != nullptr && value->is_string() ? value->get<std::string>() : std::string();
}

std::string pointKey(const GeoPoint& point) {
    char text[64];
    std::snprintf(text, sizeof text, "%.4f,%.4f", point.latitude, point.longitude);
    return text;
}

} // namespace

bool NwsProvider::stationsFor(const GeoPoint& point, std::vector<std::string>& stations,
                              std::string& error) {
    const std::string key = pointKey(point);
    {
        std::lock_guard lock(m_mutex);
        const auto found = m_stations.find(key);
        if (found != m_stations.end()) {
            stations = found->second;
            return true;
        }
    }
    std::string body;
    if (!m_client.get("/points/" + key, body, error)) {
        return false;
    }
    const json points = json::parse(body, nullptr, false);
    const json* properties = member(points, "properties");
    const std::string stationsUrl =
        properties != nullptr ? stringMember(*properties, "observationStations") : "";
    if (stationsUrl.empty()) {
        error = "points answer without observationStations";
        return false;
    }
    if (!m_client.get(UpstreamClient::pathOf(stationsUrl), body, error)) {
        return false;
    }
    const json list = json::parse(body, nullptr, false);
    const json* features = member(list, "features");
    if (features == nullptr || !features->is_array()) {
        error = "stations answer without features";
        return false;
    }
    stations.clear();
    for (const json& feature : *features) {
        std::string id = stringMember(feature, "id");
        const json* featureProperties = member(feature, "properties");
        if (id.empty() && featureProperties != nullptr) {
            id = stringMember(*featureProperties, "@id");
        }
        if (!id.empty() && stations.size() < kMaxStations) {
            stations.push_back(UpstreamClient::pathOf(id));
        }
    }
    if (stations.empty()) {
        error = "no observation station near " + key;
        return false;
    }
    std::lock_guard lock(m_mutex);
    m_stations[key] = stations;
    return true;
}

bool NwsProvider::parseObservation(const std::string& body, Observation& observation,
                                   std::string& error) {
    const json answer = json::parse(body, nullptr, false);
    const json* properties = member(answer, "properties");
    const json* temperature = properties ? member(*properties, "temperature") : nullptr;
    const json* value = temperature ? member(*temperature, "value") : nullptr;
    if (value == nullptr || !value->is_number()) {
        error = "observation without a temperature";
        return false;
    }
    const double reading = value->get<double>();
    const std::string unit = stringMember(*temperature, "unitCode");
    if (!std::isfinite(reading) || reading < -150 || reading > 150) {
        error = "implausible temperature";
        return false;
    }
    observation.temperatureF =
        unit.ends_with("degF") ? roundHalfAway(reading) : celsiusToFahrenheit(reading);
    const std::string icon = stringMember(*properties, "icon");
    observation.text = stringMember(*properties, "textDescription");
    const bool isDay = icon.find("/night/") == std::string::npos;
    observation.skyCode = skyCodeForNwsIcon(icon);
    if (observation.skyCode == kSkyCodeNotAvailable) {
        observation.skyCode = skyCodeForConditionText(observation.text, isDay);
    }
    if (observation.text.empty()) {
        observation.text = skyCodeText(observation.skyCode);
    }
    return true;
}

bool NwsProvider::observe(const GeoPoint& point, std::int64_t /*nowSeconds*/,
                          Observation& observation, std::string& error) {
    std::vector<std::string> stations;
    if (!stationsFor(point, stations, error)) {
        return false;
    }
    for (const std::string& station : stations) {
        std::string body;
        std::string stationError;
        if (m_client.get(station + "/observations/latest", body, stationError) &&
            parseObservation(body, observation, stationError)) {
            return true;
        }
        error += (error.empty() ? "" : "; ") + station + ": " + stationError;
    }
    return false;
}
