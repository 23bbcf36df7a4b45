#include "services/ObservationService.h"

#include "services/XmlText.h"

#include <iostream>

namespace {

// Control characters are not allowed in XML even when escaped.
std::string printable(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        out += c < 0x20 ? ' ' : static_cast<char>(c);
    }
    return out;
}

} // namespace

ObservationService::ObservationService(const Gazetteer& gazetteer,
                                       std::unique_ptr<WeatherProvider> provider, Settings settings,
                                       Clock clock)
    : m_gazetteer(gazetteer), m_provider(std::move(provider)), m_settings(std::move(settings)),
      m_clock(std::move(clock)) {}

bool ObservationService::keyAccepted(const std::string& key) const {
    if (!m_settings.checkKey) {
        return true;
    }
    return key == m_settings.cycle ||
           (!m_settings.previousCycle.empty() && key == m_settings.previousCycle);
}

std::string ObservationService::document(const Observation& observation) {
    const std::string temp =
        observation.temperatureF ? std::to_string(*observation.temperatureF) : std::string();
    return std::string(kXmlDeclaration) + "<observation>\n  <wxIcon>" +
           std::to_string(observation.skyCode) + "</wxIcon>\n  <temp>" + temp +
           "</temp>\n  <text>" + xmlEscape(printable(observation.text)) +
           "</text>\n</observation>\n";
}

std::shared_ptr<ObservationService::Entry>
ObservationService::entryFor(const std::string& locationId) {
    std::lock_guard lock(m_mutex);
    auto& entry = m_entries[locationId];
    if (!entry) {
        entry = std::make_shared<Entry>();
    }
    return entry;
}

bool ObservationService::fresh(const Entry& entry, std::int64_t now) const {
    return entry.hasValue && now - entry.fetchedAt < m_settings.cacheSeconds &&
           now >= entry.fetchedAt;
}

std::uint64_t ObservationService::upstreamCalls() const {
    std::lock_guard lock(m_mutex);
    return m_nUpstreamCalls;
}

ObservationAnswer ObservationService::answer(const std::string& locationId,
                                             const std::string& key) {
    if (!keyAccepted(key)) {
        return {403, "wrong key\n", false};
    }
    const GazetteerPlace* place = m_gazetteer.findLocationId(locationId);
    if (place == nullptr) {
        return {404, "unknown location\n", false};
    }
    const auto entry = entryFor(locationId);
    {
        std::lock_guard lock(m_mutex);
        if (fresh(*entry, m_clock())) {
            return {200, document(entry->value), true};
        }
    }
    // Only one request per location goes upstream; the others wait for it
    // and then find the fresh value.
    std::lock_guard fetchLock(entry->fetchMutex);
    const std::int64_t now = m_clock();
    {
        std::lock_guard lock(m_mutex);
        if (fresh(*entry, now)) {
            return {200, document(entry->value), true};
        }
        if (entry->failed && now >= entry->failedAt && now - entry->failedAt < kRetrySeconds) {
            return fallback(*entry, now);
        }
        ++m_nUpstreamCalls;
    }
    Observation observation;
    std::string error;
    const bool ok = m_provider->observe(place->point, now, observation, error);
    std::lock_guard lock(m_mutex);
    if (ok) {
        entry->value = observation;
        entry->hasValue = true;
        entry->fetchedAt = now;
        entry->failed = false;
        return {200, document(observation), false};
    }
    std::cerr << "observation " << locationId << ": " << error << '\n';
    entry->failed = true;
    entry->failedAt = now;
    return fallback(*entry, now);
}

ObservationAnswer ObservationService::fallback(const Entry& entry, std::int64_t now) const {
    if (entry.hasValue && now - entry.fetchedAt <= m_settings.staleSeconds) {
        return {200, document(entry.value), true};
    }
    return {502, "weather upstream unavailable\n", false};
}
