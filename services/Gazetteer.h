#pragma once

#include <string>
#include <unordered_map>
#include <vector>

struct GeoPoint {
    double latitude = 0.0;
    double longitude = 0.0;
};

// One ZIP code of the postal-code table.
struct GazetteerPlace {
    std::string zip;
    std::string city;
    std::string stateName;
    std::string stateCode;
    GeoPoint point;
};

// One city and state, with every ZIP code it has. Its location id is that
// of its lowest ZIP code, so it stays the same as long as that code exists.
struct GazetteerCity {
    std::string name;
    std::string stateCode;
    std::string stateName;
    std::string locationId;
    std::string key; // normalised name used for matching
    int zipCount = 0;
};

// The offline table of US places and ZIP codes (tab-separated postal-code
// table: country, zip, place, state, state code, county, ..., lat, lon, accuracy).
class Gazetteer {
public:
    bool load(const std::string& path, std::string& error);

    const GazetteerPlace* findZip(const std::string& zip) const;
    const GazetteerPlace* findLocationId(const std::string& locationId) const;
    // Cities whose normalised name equals (or, with prefix, starts with) key.
    std::vector<const GazetteerCity*> findCities(const std::string& key, bool prefix) const;
    // The state code for a code or a full state name, empty when unknown.
    std::string stateCode(const std::string& codeOrName) const;

    std::size_t placeCount() const { return m_places.size(); }
    std::size_t cityCount() const { return m_cities.size(); }

    static std::string locationIdForZip(const std::string& zip) { return "US" + zip; }
    // Lower case, blanks collapsed, dots dropped, "st"/"ft"/"mt" spelled out.
    static std::string normalise(const std::string& text);

private:
    bool addLine(const std::string& line);

    std::vector<GazetteerPlace> m_places;
    std::unordered_map<std::string, std::size_t> m_byZip;
    std::vector<GazetteerCity> m_cities;                   // sorted by key
    std::unordered_map<std::string, std::string> m_states; // lower-case code or name -> code
};
