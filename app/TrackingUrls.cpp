#include "app/TrackingUrls.h"

namespace {

// The tick count goes out as a signed decimal ("%d"), so a count past 2^31
// reads negative, as peers have always seen it.
std::string randomText(std::uint32_t random) {
    return std::to_string(static_cast<std::int32_t>(random));
}

// A value that holds a blank, '&' or '#' would otherwise cut the query short
// or make the URL unusable, and the ping would be lost. Everything else goes
// out as it is, so ordinary values read exactly as before.
std::string queryValue(const std::string& value) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        const bool unsafe = byte <= 0x20 || byte >= 0x7F || c == '#' || c == '&' || c == '+' ||
                            c == '%' || c == '"' || c == '<' || c == '>';
        if (unsafe) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string trackingPingUrl(const std::string& trackingBase, const std::string& code,
                            const std::string& extraQuery, const TrackingIdentity& identity,
                            std::uint32_t random) {
    return trackingBase + "/" + kTrackingPathSegment + "/" + code +
           "?id=" + queryValue(identity.installId) +
           "&cobrand=" + queryValue(identity.lastInstalledPack) +
           "&skin=" + queryValue(identity.currentPackAtStart) + "&rnd=" + randomText(random) + "&" +
           extraQuery;
}

std::string directTrackingPingUrl(const std::string& trackingBase, const std::string& code,
                                  const std::string& extraQuery, const std::string& installId,
                                  std::uint32_t random) {
    return trackingBase + "/" + kTrackingPathSegment + "/" + code + "?id=" + queryValue(installId) +
           "&rnd=" + randomText(random) + "&" + extraQuery;
}

std::string usagePingUrl(const std::string& configurationBase, std::uint32_t random) {
    return configurationBase + "/services/ssaver/ss1xusagetrack.html?&rnd=" + randomText(random);
}
