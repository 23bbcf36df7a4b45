#include "services/Gazetteer.h"

#include "services/TextCase.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <fstream>
#include <map>
#include <sstream>

namespace {

std::vector<std::string> splitTabs(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, '\t')) {
        fields.push_back(field);
    }
    return fields;
}

bool parseDouble(const std::string& text, double& value) {
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

bool isZip(const std::string& text) {
    return text.size() == 5 &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

} // namespace

std::string Gazetteer::normalise(const std::string& text) {
    std::string out;
    bool blank = false;
    for (unsigned char c : text) {
        if (c == '.') {
            continue;
        }
        if (std::isspace(c)) {
            blank = !out.empty();
            continue;
        }
        if (blank) {
            out += ' ';
            blank = false;
        }
        out += static_cast<char>(std::tolower(c));
    }
    static const std::pair<const char*, const char*> kAbbreviations[] = {
        {"st ", "saint "}, {"ste ", "sainte "}, {"ft ", "fort "}, {"mt ", "mount "}};
    for (const auto& [shortForm, longForm] : kAbbreviations) {
        if (out.rfind(shortForm, 0) == 0) {
            out = longForm + out.substr(std::char_traits<char>::length(shortForm));
            break;
        }
    }
    return out;
}

bool Gazetteer::addLine(const std::string& line) {
    const auto fields = splitTabs(line);
    if (fields.size() < 11 || !isZip(fields[1]) || fields[2].empty() || fields[4].size() != 2) {
        return false;
    }
    GazetteerPlace place{fields[1], fields[2], fields[3], fields[4], {}};
    if (!parseDouble(fields[9], place.point.latitude) ||
        !parseDouble(fields[10], place.point.longitude) || place.point.latitude < -90 ||
        place.point.latitude > 90 || place.point.longitude < -180 || place.point.longitude > 180) {
        return false;
    }
    if (m_byZip.count(place.zip) != 0) {
        return true; // the first entry of a ZIP code wins
    }
    m_byZip[place.zip] = m_places.size();
    m_states[lowerCase(place.stateCode)] = place.stateCode;
    if (!place.stateName.empty()) {
        m_states[lowerCase(place.stateName)] = place.stateCode;
    }
    m_places.push_back(std::move(place));
    return true;
}

bool Gazetteer::load(const std::string& path, std::string& error) {
    std::ifstream in(path);
    if (!in) {
        error = "cannot open the gazetteer " + path;
        return false;
    }
    m_places.clear();
    m_byZip.clear();
    m_cities.clear();
    m_states.clear();
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        addLine(line); // malformed lines are skipped
    }
    if (m_places.empty()) {
        error = "the gazetteer " + path + " holds no usable place";
        return false;
    }
    std::map<std::pair<std::string, std::string>, GazetteerCity> cities;
    for (const auto& place : m_places) {
        const std::string key = normalise(place.city);
        auto& city = cities[{key, place.stateCode}];
        const std::string id = locationIdForZip(place.zip);
        if (city.zipCount == 0) {
            city = GazetteerCity{place.city, place.stateCode, place.stateName, id, key, 0};
        } else if (id < city.locationId) {
            city.locationId = id;
        }
        ++city.zipCount;
    }
    m_cities.reserve(cities.size());
    for (auto& entry : cities) {
        m_cities.push_back(std::move(entry.second));
    }
    return true;
}

const GazetteerPlace* Gazetteer::findZip(const std::string& zip) const {
    const auto found = m_byZip.find(zip);
    return found == m_byZip.end() ? nullptr : &m_places[found->second];
}

const GazetteerPlace* Gazetteer::findLocationId(const std::string& locationId) const {
    if (locationId.size() != 7 || locationId.compare(0, 2, "US") != 0) {
        return nullptr;
    }
    return findZip(locationId.substr(2));
}

std::vector<const GazetteerCity*> Gazetteer::findCities(const std::string& key, bool prefix) const {
    std::vector<const GazetteerCity*> found;
    auto it =
        std::lower_bound(m_cities.begin(), m_cities.end(), key,
                         [](const GazetteerCity& c, const std::string& k) { return c.key < k; });
    for (; it != m_cities.end(); ++it) {
        const bool match = prefix ? it->key.rfind(key, 0) == 0 : it->key == key;
        if (!match) {
            break;
        }
        found.push_back(&*it);
    }
    return found;
}

std::string Gazetteer::stateCode(const std::string& codeOrName) const {
    const auto found = m_states.find(normalise(codeOrName));
    return found == m_states.end() ? std::string() : found->second;
}
