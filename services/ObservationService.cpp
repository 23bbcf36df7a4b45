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

bool ObservationService::failedRecently(const Entry& entry, std::int64_t now) const {
    return entry.failed && now >= entry.failedAt && now - entry.failedAt < kRetrySeconds;
}

bool ObservationService::answerIfReady(const std::string& locationId, const std::string& key,
                                       ObservationAnswer& ready) {
    if (!keyAccepted(key)) {
        ready = {403, "wrong key\n", false};
        return true;
    }
    if (m_gazetteer.findLocationId(locationId) == nullptr) {
        ready = {404, "unknown location\n", false};
        return true;
    }
    std::lock_guard lock(m_mutex);
    const auto found = m_entries.find(locationId);
    if (found == m_entries.end()) {
        return false;
    }
    const Entry& entry = *found->second;
    const std::int64_t now = m_clock();
    if (fresh(entry, now)) {
        ready = {200, entry.document, true};
        return true;
    }
    if (failedRecently(entry, now)) {
        ready = fallback(entry, now);
        return true;
    }
    return false;
}

ObservationAnswer ObservationService::answer(const std::string& locationId,
                                             const std::string& key) {
    ObservationAnswer ready;
    if (answerIfReady(locationId, key, ready)) {
        return ready;
    }
    const GazetteerPlace* place = m_gazetteer.findLocationId(locationId);
    const auto entry = entryFor(locationId);
    // Only one request per location goes upstream; the others wait for it
    // and then find the fresh value.
    std::lock_guard fetchLock(entry->fetchMutex);
    const std::int64_t now = m_clock();
    {
        std::lock_guard lock(m_mutex);
        if (fresh(*entry, now)) {
            return {200, entry->document, true};
        }
        if (failedRecently(*entry, now)) {
            return fallback(*entry, now);
        }
        ++m_nUpstreamCalls;
    }
    Observation observation;
    std::string error;
    const bool ok = m_provider->observe(place->point, now, observation, error);
    std::lock_guard lock(m_mutex);
    if (ok) {
        entry->document = document(observation);
        entry->hasValue = true;
        entry->fetchedAt = now;
        entry->failed = false;
        return {200, entry->document, false};
    }
    std::cerr << "observation " << locationId << ": " << error << '\n';
    entry->failed = true;
    entry->failedAt = now;
    return fallback(*entry, now);
}

ObservationAnswer ObservationService::fallback(const Entry& entry, std::int64_t now) const {
    if (entry.hasValue && now - entry.fetchedAt <= m_settings.staleSeconds) {
        return {200, entry.document, true};
    }
    return {502, "weather upstream unavailable\n", false};
}
