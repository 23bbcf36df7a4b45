#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// One bounded HTTP GET over libcurl, following redirects to http and https
// only. The body goes to a sink as it arrives; the sink is called only for
// a response whose status is 299 or lower.

enum class HttpOutcome {
    Complete,       // status 299 or lower, whole body delivered
    BadUrl,         // malformed, or a scheme other than http/https
    NotOpened,      // no response arrived (name, connect, time-out before headers)
    NoStatus,       // a response without a usable status code
    StatusRejected, // status above 299; dwStatus holds it
    ReadFailed,     // the body broke off, timed out or exceeded its cap
    SinkFailed,     // the sink refused the data (a failed write)
    OutOfMemory,
};

struct HttpTransferResult {
    HttpOutcome eOutcome = HttpOutcome::NotOpened;
    std::uint32_t dwStatus = 0;
    std::string csReason; // libcurl's or our own text for a failure
};

struct HttpTransferOptions {
    std::string csUserAgent;
    std::string csReferer; // no Referer header when empty
    long nConnectTimeoutMs = 0;
    long nTotalTimeoutMs = 0;
    long nStallBytesPerSecond = 0; // 0: no stall check
    long nStallSeconds = 0;
    std::uint64_t nMaxBodyBytes = 0;
    long nMaxRedirects = 0;
};

using HttpBodySink = std::function<bool(std::string_view)>;

HttpTransferResult httpGet(const std::string& url, const HttpTransferOptions& options,
                           const HttpBodySink& sink);
