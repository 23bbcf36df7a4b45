#pragma once

#include <string>

// Percent-encodes every byte but the unreserved characters of RFC 3986, so
// that any text (UTF-8 included) travels as one query value or path segment.
std::string urlEncode(const std::string& text);
