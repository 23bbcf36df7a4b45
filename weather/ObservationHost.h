#pragma once

#include "app/SaverModeHost.h"
#include "weather/WeatherObservation.h"

// The process-wide observation; null until the application's weather host
// exists. Every drawing window reads its values from it.
extern WeatherObservation* g_pWeatherObservation;

// The application's weather holder. While it lives its observation is the
// process-wide one.
class ObservationHost : public WeatherHost {
public:
    // The configuration document is not owned and must outlive the host.
    explicit ObservationHost(const SsConfig& config);
    ~ObservationHost() override;
    ObservationHost(const ObservationHost&) = delete;
    ObservationHost& operator=(const ObservationHost&) = delete;

    bool refetchObservation() override { return m_observation.refetchObservation(); }
    void setTemperatureUnit(const std::string& unit) override { g_csTempUnit = unit; }

    WeatherObservation& observation() { return m_observation; }

private:
    WeatherObservation m_observation;
};
