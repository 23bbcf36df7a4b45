#pragma once

#include <string>

// Percent-encodes every byte but unreserved characters (RFC 3986).
std::string urlEncode(const std::string& text);

// Decodes %XX escapes, and '+' as a blank when plusIsBlank. False for a
// malformed escape or an encoded NUL byte.
bool urlDecode(const std::string& text, std::string& decoded, bool plusIsBlank);
