#pragma once

#include <string>

// The user agent of the ping sent without the framework library.
inline constexpr const char* kDirectPingUserAgent =
    "Mozilla/4.0 (compatible; MSIE 5.0; Windows NT; DigExt)";
// Bounds that keep a ping to a dead or slow host from holding up the start.
inline constexpr long kDirectPingConnectTimeoutMs = 1000;
inline constexpr long kDirectPingTotalTimeoutMs = 2000;

// Fetches url with "Referer: <referer>", always from the server, and throws
// the answer away (its body is read only when the status is below 300).
// Fire and forget: true only tells tests the request was answered below 300.
bool sendDirectPing(const std::string& url, const std::string& referer);
