#pragma once

#include <cstdint>
#include <string>

// What every tracking ping says about this installation, read once at start.
struct TrackingIdentity {
    std::string installId;          // setting installid, sent as id=
    std::string lastInstalledPack;  // setting LastInstalledImagePackFileName, sent as cobrand=
    std::string currentPackAtStart; // CurrentImagePackFileName before pack discovery, as skin=
};

// The leading path segment of every tracking ping.
inline constexpr const char* kTrackingPathSegment = "27";

// <trackingBase>/27/<code>?id=..&cobrand=..&skin=..&rnd=<random>&<extraQuery>
std::string trackingPingUrl(const std::string& trackingBase, const std::string& code,
                            const std::string& extraQuery, const TrackingIdentity& identity,
                            std::uint32_t random);

// <trackingBase>/27/<code>?id=..&rnd=<random>&<extraQuery>, sent without the framework library.
std::string directTrackingPingUrl(const std::string& trackingBase, const std::string& code,
                                  const std::string& extraQuery, const std::string& installId,
                                  std::uint32_t random);

// <configurationBase>/services/ssaver/ss1xusagetrack.html?&rnd=<random>
std::string usagePingUrl(const std::string& configurationBase, std::uint32_t random);
