#include "tovak/UrlQuery.h"

#include "tovak/HttpFetch.h"
#include "tovak/TovakSettings.h"

#include <algorithm>
#include <cstring>

namespace tovak {

namespace {

// Per thread, so two threads that query at the same time each get their own
// answer back from copyHeldResponse.
struct HeldResponse {
    bool bHeld = false;
    std::string csBody;
};
thread_local HeldResponse t_heldResponse;

HttpLimits queryLimits() {
    HttpLimits limits;
    limits.totalTimeoutSeconds = queryTimeoutSeconds();
    limits.connectTimeoutMs = std::min<long>(5000, limits.totalTimeoutSeconds * 1000L);
    limits.stallSeconds = limits.totalTimeoutSeconds;
    limits.maxBytes = kMaxQueryResponseBytes;
    return limits;
}

} // namespace

bool queryUrl(const char* url, const std::optional<std::string>& postBody, unsigned* responseSize,
              LPTOVAKERROR error) {
    if (url == nullptr || url[0] == '\0') {
        setTovakError(error, TOVAKERROR_EMPTY_ARGUMENT, TOVAKERROR_FLAG_EMPTY_URL,
                      "No address was given");
        return false;
    }
    HttpRequest request{url, postBody, queryLimits()};
    std::string body;
    HttpOutcome outcome = performRequest(request, [&body](const char* data, std::size_t size) {
        body.append(data, size);
        return true;
    });
    if (!outcome.ok) {
        setTovakError(error, TOVAKERROR_REQUEST_FAILED, 0, outcome.errorText.c_str());
        return false;
    }
    t_heldResponse.bHeld = true;
    t_heldResponse.csBody = std::move(body);
    if (responseSize != nullptr) {
        *responseSize = static_cast<unsigned>(t_heldResponse.csBody.size());
    }
    return true;
}

bool copyHeldResponse(char* buffer, unsigned size) {
    const HeldResponse& held = t_heldResponse;
    if (!held.bHeld || (buffer == nullptr && size > 0)) {
        return false;
    }
    std::size_t length = std::min<std::size_t>(size, held.csBody.size());
    if (length > 0) {
        std::memcpy(buffer, held.csBody.data(), length);
    }
    return length == held.csBody.size();
}

} // namespace tovak
