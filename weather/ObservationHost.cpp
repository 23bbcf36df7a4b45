#include "weather/ObservationHost.h"

WeatherObservation* g_pWeatherObservation = nullptr;

ObservationHost::ObservationHost(const SsConfig& config) : m_observation(config) {
    g_pWeatherObservation = &m_observation;
}

ObservationHost::~ObservationHost() {
    if (g_pWeatherObservation == &m_observation) {
        g_pWeatherObservation = nullptr;
    }
}
