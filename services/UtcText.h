#pragma once

#include <cstdint>
#include <string>

// Seconds since the epoch as UTC text.

// "2023-11-14T22:13:20Z", for the request log.
std::string utcStamp(std::int64_t seconds);

// "2023-11-14 22:13:20", for pages people read.
std::string utcDateTime(std::int64_t seconds);
