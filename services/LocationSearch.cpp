#include "services/LocationSearch.h"

#include "services/TextCase.h"
#include "services/XmlText.h"

#include <algorithm>
#include <cctype>

namespace {

bool allDigits(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); });
}

// Letters of any script (UTF-8 bytes above 0x7F), digits, blanks and the
// punctuation that place names use.
bool plausibleText(const std::string& text) {
    bool hasAlnum = false;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c >= 0x80) {
            hasAlnum = true;
        } else if (c != ' ' && c != '.' && c != '-' && c != '\'' && c != ',' && c != '&') {
            return false;
        }
    }
    return hasAlnum;
}

std::string displayName(const std::string& city, const std::string& stateCode) {
    return city + ", " + stateCode;
}

} // namespace

bool LocationSearch::search(const std::string& where, std::vector<SearchMatch>& matches,
                            std::string& errorType, std::string& errorText) const {
    matches.clear();
    const std::string text = trimmed(where);
    if (text.empty()) {
        errorType = "empty";
        errorText = "Please enter a city name or a ZIP code.";
        return false;
    }
    if (text.size() > kMaxTextLength) {
        errorType = "toolong";
        errorText = "The location text is too long.";
        return false;
    }
    if (!plausibleText(text) || std::count(text.begin(), text.end(), ',') > 1) {
        errorType = "invalid";
        errorText = "The location text is not a city name or a ZIP code.";
        return false;
    }
    const std::string zip =
        text.size() == 10 && text[5] == '-' && allDigits(text.substr(6)) ? text.substr(0, 5) : text;
    if (allDigits(zip)) {
        if (zip.size() != 5) {
            errorType = "invalid";
            errorText = "A ZIP code has five digits.";
            return false;
        }
        if (const GazetteerPlace* place = m_gazetteer.findZip(zip)) {
            matches.push_back({Gazetteer::locationIdForZip(zip), "zip",
                               displayName(place->city, place->stateCode)});
        }
        return true;
    }
    const auto comma = text.find(',');
    std::string city = comma == std::string::npos ? text : trimmed(text.substr(0, comma));
    std::string state;
    if (comma != std::string::npos) {
        const std::string qualifier = trimmed(text.substr(comma + 1));
        state = m_gazetteer.stateCode(qualifier);
        if (state.empty() || city.empty()) {
            return true; // no such state: nothing matches
        }
    }
    searchCity(city, state, matches);
    return true;
}

void LocationSearch::searchCity(const std::string& city, const std::string& state,
                                std::vector<SearchMatch>& matches) const {
    const std::string key = Gazetteer::normalise(city);
    auto keep = [&state](std::vector<const GazetteerCity*> found) {
        std::erase_if(found, [&state](const GazetteerCity* c) {
            return !state.empty() && c->stateCode != state;
        });
        // More ZIP codes means a larger place: those come first.
        std::stable_sort(found.begin(), found.end(),
                         [](const GazetteerCity* a, const GazetteerCity* b) {
                             if (a->zipCount != b->zipCount) {
                                 return a->zipCount > b->zipCount;
                             }
                             return a->stateCode < b->stateCode;
                         });
        return found;
    };
    auto found = keep(m_gazetteer.findCities(key, false));
    if (found.empty() && key.size() >= 3) {
        found = keep(m_gazetteer.findCities(key, true));
    }
    for (const GazetteerCity* c : found) {
        if (matches.size() == kMaxMatches) {
            break;
        }
        matches.push_back({c->locationId, "city", displayName(c->name, c->stateCode)});
    }
}

std::string LocationSearch::answer(const std::string& where) const {
    std::vector<SearchMatch> matches;
    std::string errorType;
    std::string errorText;
    if (!search(where, matches, errorType, errorText)) {
        return std::string(kXmlDeclaration) + "<error><err type=\"" + xmlEscape(errorType) + "\">" +
               xmlEscape(errorText) + "</err></error>\n";
    }
    std::string xml = std::string(kXmlDeclaration) + "<search>\n";
    for (const auto& match : matches) {
        xml += "  <loc id=\"" + xmlEscape(match.locationId) + "\" type=\"" + xmlEscape(match.type) +
               "\">" + xmlEscape(match.displayName) + "</loc>\n";
    }
    return xml + "</search>\n";
}
