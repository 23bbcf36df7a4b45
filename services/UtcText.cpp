#include "services/UtcText.h"

#include <ctime>

namespace {

std::tm utcFields(std::int64_t seconds) {
    const std::time_t t = static_cast<std::time_t>(seconds);
    std::tm fields{};
    gmtime_r(&t, &fields);
    return fields;
}

} // namespace

// strftime takes literal formats here so the compiler can check them.

std::string utcStamp(std::int64_t seconds) {
    const std::tm fields = utcFields(seconds);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &fields);
    return text;
}

std::string utcDateTime(std::int64_t seconds) {
    const std::tm fields = utcFields(seconds);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &fields);
    return text;
}
