#pragma once

#include "location/ResolveLocationSearchResults.h"
#include "net/TovakError.h"

#include <cstddef>
#include <string>

class TiXmlElement;

// Turns what the user typed (a city name or a U.S. ZIP code) into the places
// the location search service knows by that name. Failures are reported in
// the caller's error record, never thrown.
class ResolveLocationFactory {
public:
    // Name of the parsed answer in parser error texts.
    static constexpr const char* kDocumentName = "ResolveLocation_Memory_XML";
    // Longest location identifier or type kept, in characters.
    static constexpr std::size_t kMaxAttributeLength = 255;

    // Asks the search service named in the settings.
    ResolveLocationFactory() = default;
    // Asks the search service at searchBase (scheme, host and port).
    explicit ResolveLocationFactory(std::string searchBase);

    // Searches for location (already trimmed by the caller). The record is
    // cleared first; code 3 when the request failed, 4 when the answer was
    // not understood.
    ResolveLocationSearchResults resolveLocation(const std::string& location,
                                                 LPTOVAKERROR er) const;
    // Fills results from an answer document.
    void parseXML(const std::string& response, ResolveLocationSearchResults& results,
                  LPTOVAKERROR er) const;

    // The request for location: its text percent-encoded as UTF-8.
    std::string searchUrl(const std::string& location) const;

private:
    void parseErrorAnswer(const TiXmlElement& root, LPTOVAKERROR er) const;
    void parseSearchAnswer(const TiXmlElement& root, ResolveLocationSearchResults& results,
                           LPTOVAKERROR er) const;

    std::string m_csSearchBase; // empty: from the settings
};
