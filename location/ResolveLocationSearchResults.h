#pragma once

#include <string>
#include <vector>

// The places a location search found, in the order of the answer: for each
// its location identifier, location type and display name, and the text
// that was searched for. The three lists always have the same length.
class ResolveLocationSearchResults {
public:
    // What the accessors answer for an index outside the lists.
    static constexpr const char* kInvalidIndex = "<invalid index>";

    void add(const std::string& locationId, const std::string& locationType,
             const std::string& displayName);
    int getCount() const { return static_cast<int>(m_locationIds.size()); }

    std::string getLocationId(int index) const;
    std::string getLocationType(int index) const;
    std::string getDisplayName(int index) const;
    const std::vector<std::string>& getDisplayNames() const { return m_displayNames; }

    const std::string& getSearchLocation() const { return m_csSearchLocation; }
    // Starts a new search: the lists are emptied.
    void setSearchLocation(const std::string& location);

    // Empties the three lists and the searched text.
    void clear();
    // Empties the three lists only.
    void clearItems();

    // The results as the trace shows them, one line each.
    std::string describe() const;

private:
    std::vector<std::string> m_locationIds;
    std::vector<std::string> m_locationTypes;
    std::vector<std::string> m_displayNames;
    std::string m_csSearchLocation;
};
