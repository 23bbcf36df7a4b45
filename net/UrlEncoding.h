#pragma once

#include <string>
#include <string_view>

// Percent-encodes every byte but the unreserved characters of RFC 3986, so
// that any text (UTF-8 included) travels as one query value or path segment.
std::string urlEncode(std::string_view text);

// A value for a URL's query: a blank, control byte, non-ASCII byte or one of
// # & + % " < > would cut the query short or make the URL unusable, so those
// go out percent-encoded. Everything else is sent as it is, so ordinary
// values read exactly as before.
std::string queryValue(std::string_view value);

// A value for one segment of a URL's path: as queryValue, and '/', '?' and
// '\' are encoded too, so that the value cannot reach another path.
std::string pathSegmentValue(std::string_view value);
