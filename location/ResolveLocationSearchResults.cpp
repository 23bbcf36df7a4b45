#include "location/ResolveLocationSearchResults.h"

namespace {

std::string itemAt(const std::vector<std::string>& items, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items.size()) {
        return ResolveLocationSearchResults::kInvalidIndex;
    }
    return items[static_cast<std::size_t>(index)];
}

} // namespace

void ResolveLocationSearchResults::add(const std::string& locationId,
                                       const std::string& locationType,
                                       const std::string& displayName) {
    m_locationIds.push_back(locationId);
    m_locationTypes.push_back(locationType);
    m_displayNames.push_back(displayName);
}

std::string ResolveLocationSearchResults::getLocationId(int index) const {
    return itemAt(m_locationIds, index);
}

std::string ResolveLocationSearchResults::getLocationType(int index) const {
    return itemAt(m_locationTypes, index);
}

std::string ResolveLocationSearchResults::getDisplayName(int index) const {
    return itemAt(m_displayNames, index);
}

void ResolveLocationSearchResults::setSearchLocation(const std::string& location) {
    clearItems();
    m_csSearchLocation = location;
}

void ResolveLocationSearchResults::clear() {
    clearItems();
    m_csSearchLocation.clear();
}

void ResolveLocationSearchResults::clearItems() {
    m_locationIds.clear();
    m_locationTypes.clear();
    m_displayNames.clear();
}

std::string ResolveLocationSearchResults::describe() const {
    std::string text = "  ResolveLocationSearchResults object - \n";
    text += "    searchlocation = '" + m_csSearchLocation + "'\n";
    text += "    items: \n";
    text += "[{locid, loctype, displayname}\n";
    for (std::size_t i = 0; i < m_locationIds.size(); ++i) {
        text += "            {'" + m_locationIds[i] + "', '" + m_locationTypes[i] + "', '" +
                m_displayNames[i] + "'}\n";
    }
    text += "]";
    return text;
}
