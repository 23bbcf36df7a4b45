#include "app/TrackingUrls.h"

#include "net/UrlEncoding.h"

namespace {

// The tick count goes out as a signed decimal ("%d"), so a count past 2^31
// reads negative, as peers have always seen it.
std::string randomText(std::uint32_t random) {
    return std::to_string(static_cast<std::int32_t>(random));
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
