#pragma once

#include "net/UrlEncoding.h"

#include <optional>
#include <string>

// Decodes %XX escapes, and '+' as a blank when plusIsBlank. False for a
// malformed escape or an encoded NUL byte.
bool urlDecode(const std::string& text, std::string& decoded, bool plusIsBlank);

// The value of the query parameter name in target (path and query as sent),
// still encoded: from just after "name=" to the '&' that begins the next
// parameter ("&key="). A '&' that does not begin one (a client that left it
// unescaped in a place name) stays part of the value. nullopt when target
// has no such parameter.
std::optional<std::string> rawQueryValue(const std::string& target, const std::string& name);
