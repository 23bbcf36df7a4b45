#pragma once

#include "services/Gazetteer.h"
#include "services/WeatherProvider.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>

struct ObservationAnswer {
    int status = 200;
    std::string body; // the observation document on 200, a short text otherwise
    bool fromCache = false;
};

// The observation request: key check, location lookup, a per-location
// cache in front of the provider, and the last good value standing in for
// a failing upstream while it is recent.
class ObservationService {
public:
    struct Settings {
        std::string cycle;
        std::string previousCycle;
        bool checkKey = true;
        int cacheSeconds = 600;
        int staleSeconds = 3600;
    };
    using Clock = std::function<std::int64_t()>;
    // After an upstream failure a location is not asked upstream again sooner.
    static constexpr std::int64_t kRetrySeconds = 30;

    ObservationService(const Gazetteer& gazetteer, std::unique_ptr<WeatherProvider> provider,
                       Settings settings, Clock clock);

    ObservationAnswer answer(const std::string& locationId, const std::string& key);
    // The answer when it needs no upstream request and no waiting for one
    // (wrong key, unknown place, a fresh or standing-in value); false when
    // only answer() can tell.
    bool answerIfReady(const std::string& locationId, const std::string& key,
                       ObservationAnswer& ready);

    bool keyAccepted(const std::string& key) const;
    static std::string document(const Observation& observation);

    std::uint64_t upstreamCalls() const;

private:
    struct Entry {
        std::mutex fetchMutex; // one upstream request per location at a time
        bool hasValue = false;
        std::string document; // of the last good observation
        std::int64_t fetchedAt = 0;
        bool failed = false;
        std::int64_t failedAt = 0;
    };
    ObservationAnswer fallback(const Entry& entry, std::int64_t now) const;
    std::shared_ptr<Entry> entryFor(const std::string& locationId);
    bool fresh(const Entry& entry, std::int64_t now) const;
    bool failedRecently(const Entry& entry, std::int64_t now) const;

    const Gazetteer& m_gazetteer;
    std::unique_ptr<WeatherProvider> m_provider;
    Settings m_settings;
    Clock m_clock;
    mutable std::mutex m_mutex; // guards the map and every entry's value
    std::map<std::string, std::shared_ptr<Entry>> m_entries;
    std::uint64_t m_nUpstreamCalls = 0;
};
