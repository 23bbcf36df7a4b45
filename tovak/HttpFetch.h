#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace tovak {

// Limits of one request.
struct HttpLimits {
    long totalTimeoutSeconds = 20; // 0: no total bound (downloads rely on the stall bound)
    long connectTimeoutMs = 5000;
    long stallSeconds = 30;   // abort when nothing arrives for this long
    std::size_t maxBytes = 0; // required
    long maxRedirects = 5;
};

// One GET (or POST when postBody is set) over http or https.
struct HttpRequest {
    std::string url;
    std::optional<std::string> postBody;
    HttpLimits limits;
};

// Receives the body in pieces; false aborts the transfer.
using BodySink = std::function<bool(const char* data, std::size_t size)>;

struct HttpOutcome {
    bool ok = false;
    long status = 0;       // HTTP status of the final answer, 0 when none came
    std::size_t bytes = 0; // body bytes handed to the sink
    std::string errorText; // why it failed, empty on success
};

// Performs the request. Fails (ok false, errorText set) for a scheme other
// than http/https, a transport error, a timeout, a status of 400 or more,
// or a body larger than limits.maxBytes.
HttpOutcome performRequest(const HttpRequest& request, const BodySink& sink);

// True when url starts with "http://" or "https://" (any case).
bool isHttpUrl(const std::string& url);

} // namespace tovak
