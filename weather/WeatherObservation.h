#pragma once

#include <string>
#include <string_view>

class SsConfig;
class WeatherTimer;

// Unit letter ("F" or "C") of every temperature shown; set from the setting
// "ut" when a drawing window's location is set.
extern std::string g_csTempUnit;
// Identifier of the running weather timer, 0 when none.
extern unsigned g_nWeatherTimerID;

// Period of the weather timer: 15 minutes.
inline constexpr unsigned kWeatherTimerMs = 900000;

// The current conditions for the user's location: the last observation
// document the service sent, and the three values read from it.
class WeatherObservation {
public:
    // The configuration document (for the request's key) is not owned and
    // must outlive the observation; so must the timer, when one is given.
    explicit WeatherObservation(const SsConfig& config, WeatherTimer* pTimer = nullptr);
    ~WeatherObservation();
    WeatherObservation(const WeatherObservation&) = delete;
    WeatherObservation& operator=(const WeatherObservation&) = delete;

    void setWeatherTimer(WeatherTimer* pTimer) { m_pTimer = pTimer; }

    // Builds the request for the location, downloads it and keeps the
    // document on success; restarts the weather timer. An empty location
    // makes no request and leaves the timer alone. csUnit is not used.
    bool fetchObservation(const std::string& csLocationID, const std::string& csUnit);
    // Downloads the last request again; the timer is not touched.
    bool refetchObservation();

    // The value of an absolute path in the stored document; empty when the
    // document does not parse or the path finds nothing.
    std::string queryObservation(std::string_view path) const;
    // The leading integer of wxIcon, 0 when there is none.
    int getSkyCode() const;
    // temp in the unit of g_csTempUnit, the degree sign and the unit letter;
    // empty when the document has no temperature.
    std::string getTemperature() const;
    std::string getCCText() const;

    void startWeatherTimer();
    void stopWeatherTimer();

    const std::string& requestUrl() const { return m_csRequestUrl; }
    const std::string& observationDocument() const { return m_csObservation; }
    // Stores a document as if it had been downloaded (tools and tests).
    void setObservationDocument(std::string csDocument) { m_csObservation = std::move(csDocument); }

private:
    bool download(const std::string& csUrl);

    const SsConfig& m_config;
    WeatherTimer* m_pTimer;
    std::string m_csObservation;
    std::string m_csRequestUrl;
};

// The temperature text for a document's temp text in a unit: "C" converts
// the leading integer from Fahrenheit, rounded half away from zero; any
// other unit keeps the text as it is. Then the degree sign and the unit.
std::string temperatureText(const std::string& csTemp, const std::string& csUnit);

// The observation request: <observation service>/wxdata/obs/<id>.xml?key=<key>.
std::string observationUrl(const std::string& csLocationID, const std::string& csKey);
