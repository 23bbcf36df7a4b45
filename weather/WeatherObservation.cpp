#include "weather/WeatherObservation.h"

#include "app/ServiceAddresses.h"
#include "net/InternetServices.h"
#include "net/UrlEncoding.h"
#include "net/XmlPathQuery.h"
#include "packs/SsConfig.h"
#include "weather/WeatherTimer.h"

#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdlib>

std::string g_csTempUnit = "F";
unsigned g_nWeatherTimerID = 0;

namespace {

constexpr const char* kSkyCodePath = "/observation/wxIcon/text()";
constexpr const char* kTemperaturePath = "/observation/temp/text()";
constexpr const char* kConditionPath = "/observation/text/text()";
// Our strings are UTF-8: the degree sign is two bytes.
constexpr const char* kDegreeSign = "\xC2\xB0";

// The leading decimal integer of the text, as the C library reads it
// (blanks, then an optional sign, then digits; 0 when there are none),
// held to the range of long instead of overflowing.
long leadingInteger(const std::string& csText) {
    return std::strtol(csText.c_str(), nullptr, 10);
}

int clampToInt(long value) {
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

// (F - 32) / 1.8 in single precision, rounded half away from zero; absurd
// values stop at the ends of int.
int celsiusFromFahrenheit(long nFahrenheit) {
    const float value = static_cast<float>(static_cast<std::int64_t>(nFahrenheit) - 32) / 1.8f;
    const float rounded = std::trunc(value >= 0.0f ? value + 0.5f : value - 0.5f);
    if (rounded >= 2147483648.0f) {
        return INT_MAX;
    }
    if (rounded < -2147483648.0f) {
        return INT_MIN;
    }
    return static_cast<int>(rounded);
}

} // namespace

std::string temperatureText(const std::string& csTemp, const std::string& csUnit) {
    if (csTemp.empty()) {
        return {};
    }
    std::string csText = csTemp;
    if (csUnit == "C") {
        csText = std::to_string(celsiusFromFahrenheit(leadingInteger(csTemp)));
    }
    return csText + kDegreeSign + csUnit;
}

std::string observationUrl(const std::string& csLocationID, const std::string& csKey) {
    return serviceAddresses().observation + "/wxdata/obs/" + pathSegmentValue(csLocationID) +
           ".xml?key=" + queryValue(csKey);
}

WeatherObservation::WeatherObservation(const SsConfig& config, WeatherTimer* pTimer)
    : m_config(config), m_pTimer(pTimer) {}

WeatherObservation::~WeatherObservation() {
    stopWeatherTimer();
}

bool WeatherObservation::fetchObservation(const std::string& csLocationID,
                                          const std::string& /*csUnit*/) {
    if (csLocationID.empty()) {
        return false;
    }
    stopWeatherTimer();
    m_csRequestUrl = observationUrl(csLocationID, m_config.getCycle());
    const bool bFetched = download(m_csRequestUrl);
    startWeatherTimer();
    return bFetched;
}

bool WeatherObservation::refetchObservation() {
    return download(m_csRequestUrl);
}

bool WeatherObservation::download(const std::string& csUrl) {
    if (csUrl.empty()) {
        return false;
    }
    InternetServices services;
    if (!fetchDocument(services, csUrl)) {
        return false;
    }
    m_csObservation = services.getResponse();
    return true;
}

std::string WeatherObservation::queryObservation(std::string_view path) const {
    return queryXmlPath(m_csObservation, path);
}

int WeatherObservation::getSkyCode() const {
    const std::string csCode = queryObservation(kSkyCodePath);
    return csCode.empty() ? 0 : clampToInt(leadingInteger(csCode));
}

std::string WeatherObservation::getTemperature() const {
    return temperatureText(queryObservation(kTemperaturePath), g_csTempUnit);
}

std::string WeatherObservation::getCCText() const {
    return queryObservation(kConditionPath);
}

void WeatherObservation::startWeatherTimer() {
    stopWeatherTimer();
    if (m_pTimer == nullptr) {
        return;
    }
    const unsigned nId = m_pTimer->SetTimer(kWeatherTimerMs);
    if (nId != 0) {
        g_nWeatherTimerID = nId;
    }
}

void WeatherObservation::stopWeatherTimer() {
    if (g_nWeatherTimerID != 0 && m_pTimer != nullptr) {
        m_pTimer->KillTimer(g_nWeatherTimerID);
    }
    g_nWeatherTimerID = 0;
}
