#pragma once

#include "services/Gazetteer.h"

#include <string>
#include <vector>

struct SearchMatch {
    std::string locationId;
    std::string type; // "zip" or "city"
    std::string displayName;
};

// Answers the location search from the gazetteer: a five-digit ZIP code
// (or ZIP+4) gives its place, a city name every city of that name, optionally
// narrowed by ", ST" or ", State", best match first.
class LocationSearch {
public:
    static constexpr std::size_t kMaxTextLength = 100;
    static constexpr std::size_t kMaxMatches = 25;

    explicit LocationSearch(const Gazetteer& gazetteer) : m_gazetteer(gazetteer) {}

    // The answer document: "search" with "loc" elements, or the "error"
    // form for text that cannot be a place.
    std::string answer(const std::string& where) const;

    // False with an error type and text when the request is unusable.
    bool search(const std::string& where, std::vector<SearchMatch>& matches, std::string& errorType,
                std::string& errorText) const;

private:
    void searchCity(const std::string& city, const std::string& state,
                    std::vector<SearchMatch>& matches) const;

    const Gazetteer& m_gazetteer;
};
