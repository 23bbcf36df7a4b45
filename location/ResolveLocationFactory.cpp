#include "location/ResolveLocationFactory.h"

#include "app/ServiceAddresses.h"
#include "app/Trace.h"
#include "location/LocationText.h"
#include "net/InternetServices.h"
#include "net/UrlEncoding.h"
#include "net/XmlParsingUtils.h"

#include <exception>
#include <tinyxml.h>

namespace {

constexpr const char* kResolvePrefix =
    "ResolveLocationFactory::resolveLocation(const std::string& location, LPTOVAKERROR er) - ";
constexpr const char* kParsePrefix =
    "ResolveLocationFactory::parseXML(const std::string& response, "
    "ResolveLocationSearchResults& results, LPTOVAKERROR er) - ";

constexpr const char* kNotUnderstood =
    "The server responded with something we just could not deal with.";
constexpr const char* kRequestFailed = "There was a problem communicating with the server.";

void trace(const char* prefix, const std::string& text) {
    if (isLogging()) {
        logMessage(prefix + text);
    }
}

void notUnderstood(LPTOVAKERROR er, const std::string& detail = {}) {
    setTovakError(er, TOVAKERROR_BAD_ANSWER, 0, (kNotUnderstood + detail).c_str());
}

std::string describeRecord(const TOVAKERROR* er) {
    if (er == nullptr) {
        return "(none)";
    }
    return "{code = " + std::to_string(er->code) + ", flags = " + std::to_string(er->flags) +
           ", message = '" + er->message + "'}";
}

} // namespace

ResolveLocationFactory::ResolveLocationFactory(std::string searchBase)
    : m_csSearchBase(std::move(searchBase)) {}

std::string ResolveLocationFactory::searchUrl(const std::string& location) const {
    const std::string base = m_csSearchBase.empty() ? serviceAddresses().search : m_csSearchBase;
    return base + "/search/search?site=US&where=" + urlEncode(location);
}

ResolveLocationSearchResults ResolveLocationFactory::resolveLocation(const std::string& location,
                                                                     LPTOVAKERROR er) const {
    ResolveLocationSearchResults results;
    trace(kResolvePrefix, "Entering Function:  location = '" + location + "'");
    clearTovakError(er);
    try {
        results.setSearchLocation(location);
        InternetServices services;
        if (fetchDocument(services, searchUrl(location))) {
            trace(kResolvePrefix, "Search results:\n" + services.getResponse());
            parseXML(services.getResponse(), results, er);
        } else {
            setTovakError(er, TOVAKERROR_REQUEST_FAILED, 0, kRequestFailed);
            trace(kResolvePrefix,
                  "The request failed:\nResponse HTTP Status Message: " + services.getErrorText() +
                      "\nurlResponse: '" + services.getResponse() + "'");
        }
    } catch (const std::exception& exception) {
        setTovakError(er, TOVAKERROR_EXCEPTION, 0, kRequestFailed);
        trace(kResolvePrefix, std::string("An exception was thrown: ") + exception.what());
    } catch (...) {
        setTovakError(er, TOVAKERROR_EXCEPTION, 0, kRequestFailed);
        trace(kResolvePrefix, "An exception was thrown of unknown reasons");
    }
    return results;
}

void ResolveLocationFactory::parseXML(const std::string& response,
                                      ResolveLocationSearchResults& results,
                                      LPTOVAKERROR er) const {
    try {
        trace(kParsePrefix, "Entering Function:  response = '" + response + "'");
        results.clearItems();
        TiXmlDocument document(kDocumentName);
        if (!parseXmlDocument(document, response)) {
            // The nesting bound refuses a document before the parser sees it.
            const std::string description =
                document.Error() ? document.ErrorDesc() : "Elements are nested too deeply.";
            notUnderstood(er,
                          std::string(" Error in ") + kDocumentName + ": " + description + "\n");
        } else if (const TiXmlElement* root = document.RootElement(); root == nullptr) {
            notUnderstood(er, "Unable to obtain rootnode");
        } else {
            trace(kParsePrefix, " root->getTagName() = '<" + root->ValueStr() + ">'");
            if (root->ValueStr() == "error") {
                parseErrorAnswer(*root, er);
            } else if (root->ValueStr() == "search") {
                parseSearchAnswer(*root, results, er);
            } else {
                notUnderstood(er, "There was no rootTagName value.");
            }
        }
        trace(kParsePrefix, "Exiting Function: , Returning:ResolveLocationSearchResults = " +
                                results.describe() + "\ner = " + describeRecord(er));
    } catch (const std::exception& exception) {
        trace(kParsePrefix, std::string("An exception was thrown: ") + exception.what());
    } catch (...) {
        trace(kParsePrefix, "An exception was thrown of unknown reasons");
    }
}

void ResolveLocationFactory::parseErrorAnswer(const TiXmlElement& root, LPTOVAKERROR er) const {
    const TiXmlElement* err = root.FirstChildElement("err");
    if (err == nullptr || getAttributeValue(err, "type").empty()) {
        notUnderstood(er);
        return;
    }
    // The service's own words; the code stays 0 and nothing was found.
    const std::string text = getNodeValue(err);
    setTovakErrorMessage(er, text.empty() ? "* Unable to obtain error text *" : text.c_str());
}

void ResolveLocationFactory::parseSearchAnswer(const TiXmlElement& root,
                                               ResolveLocationSearchResults& results,
                                               LPTOVAKERROR er) const {
    for (const TiXmlElement* loc = root.FirstChildElement("loc"); loc != nullptr;
         loc = loc->NextSiblingElement("loc")) {
        const std::string locationId = getAttributeValue(loc, "id");
        const std::string locationType = getAttributeValue(loc, "type");
        const std::string displayName = getNodeValue(loc);
        const char* missing = locationId.empty()     ? "Error obtaining the locid."
                              : locationType.empty() ? "Error obtaining the loctype."
                              : displayName.empty()  ? "Error obtaining the displayname."
                                                     : nullptr;
        if (missing != nullptr) {
            trace(kParsePrefix, missing);
            notUnderstood(er);
            return;
        }
        results.add(firstCharacters(locationId, kMaxAttributeLength),
                    firstCharacters(locationType, kMaxAttributeLength), displayName);
    }
}
