#include "services/OpenMeteoProvider.h"

#include "services/SkyCodes.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

using nlohmann::json;

bool OpenMeteoProvider::parseCurrent(const std::string& body, Observation& observation,
                                     std::string& error) {
    const json answer = json::parse(body, nullptr, false);
    const auto found = answer.is_object() ? answer.find("current") : answer.end();
    if (!answer.is_object() || found == answer.end() || !found->is_object()) {
        error = "answer without current conditions";
        return false;
    }
    const json& current = *found;
    const auto number = [&current](const char* name) -> const json* {
        const auto value = current.find(name);
        return value != current.end() && value->is_number() ? &*value : nullptr;
    };
    const json* temperature = number("temperature_2m");
    const json* code = number("weather_code");
    if (temperature == nullptr || code == nullptr) {
        error = "current conditions without temperature_2m or weather_code";
        return false;
    }
    const double reading = temperature->get<double>();
    if (!std::isfinite(reading) || reading < -150 || reading > 150) {
        error = "implausible temperature";
        return false;
    }
    // Fahrenheit is asked for, but an answer in Celsius is converted.
    std::string unit;
    const auto units = answer.find("current_units");
    if (units != answer.end() && units->is_object()) {
        const auto unitText = units->find("temperature_2m");
        if (unitText != units->end() && unitText->is_string()) {
            unit = unitText->get<std::string>();
        }
    }
    observation.temperatureF =
        unit.find("C") != std::string::npos ? celsiusToFahrenheit(reading) : roundHalfAway(reading);
    const json* isDay = number("is_day");
    const double codeValue = code->get<double>();
    const int wmoCode = codeValue >= 0 && codeValue < 1000 ? static_cast<int>(codeValue) : -1;
    const WmoCondition condition =
        conditionForWmoCode(wmoCode, isDay == nullptr || isDay->get<double>() != 0);
    observation.skyCode = condition.skyCode;
    observation.text = condition.text;
    return true;
}

bool OpenMeteoProvider::observe(const GeoPoint& point, std::int64_t /*nowSeconds*/,
                                Observation& observation, std::string& error) {
    char query[200];
    std::snprintf(query, sizeof query,
                  "/v1/forecast?latitude=%.4f&longitude=%.4f"
                  "&current=temperature_2m,weather_code,is_day&temperature_unit=fahrenheit",
                  point.latitude, point.longitude);
    std::string body;
    return m_client.get(query, body, error) && parseCurrent(body, observation, error);
}
