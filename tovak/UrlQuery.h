#pragma once

#include "net/TovakError.h"

#include <cstddef>
#include <optional>
#include <string>

namespace tovak {

// Largest response a query holds.
inline constexpr std::size_t kMaxQueryResponseBytes = 8 * 1024 * 1024;

// Fetches url (POST when postBody is set). On success the response replaces
// the one held for the calling thread and its size goes to responseSize; on
// failure error gets code 3 (5 for an empty url) and a text, and the held
// response stays as it was. responseSize and error may be null.
bool queryUrl(const char* url, const std::optional<std::string>& postBody, unsigned* responseSize,
              LPTOVAKERROR error);

// Copies the calling thread's held response into buffer (size bytes). True
// only when something is held and all of it fitted; a partial copy is never
// reported as success.
bool copyHeldResponse(char* buffer, unsigned size);

} // namespace tovak
