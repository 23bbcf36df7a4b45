#include "tovak/HttpFetch.h"

#include "net/CurlHandles.h"

#include <algorithm>
#include <cctype>

namespace tovak {

namespace {

constexpr const char* kUserAgent = "NimboraTovak/1.0";

struct TransferState {
    const BodySink* pSink = nullptr;
    std::size_t maxBytes = 0;
    std::size_t bytes = 0;
    bool tooLarge = false;
    bool sinkFailed = false;
};

size_t receiveBody(char* data, size_t size, size_t count, void* context) {
    auto* state = static_cast<TransferState*>(context);
    std::size_t length = size * count;
    if (length > state->maxBytes - state->bytes) {
        state->tooLarge = true;
        return 0; // makes curl abort with a write error
    }
    if (!(*state->pSink)(data, length)) {
        state->sinkFailed = true;
        return 0;
    }
    state->bytes += length;
    return length;
}

bool startsWithNoCase(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           });
}

void configure(CURL* curl, const HttpRequest& request, TransferState& state, char* errorBuffer) {
    const HttpLimits& limits = request.limits;
    curl_easy_setopt(curl, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, limits.maxRedirects);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L); // callers may be on any thread
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, limits.connectTimeoutMs);
    if (limits.totalTimeoutSeconds > 0) {
        curl_easy_setopt(curl, CURLOPT_TIMEOUT, limits.totalTimeoutSeconds);
    }
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, limits.stallSeconds);
    curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBytes));
    curl_easy_setopt(curl, CURLOPT_FAILONERROR, 1L);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(curl, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, receiveBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &state);
    if (request.postBody) {
        curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.postBody->size()));
        curl_easy_setopt(curl, CURLOPT_POSTFIELDS, request.postBody->c_str());
    }
}

std::string describeFailure(CURLcode result, const TransferState& state, long status,
                            const char* errorBuffer, std::size_t maxBytes) {
    if (state.tooLarge || result == CURLE_FILESIZE_EXCEEDED) {
        return "The response exceeds the limit of " + std::to_string(maxBytes) + " bytes";
    }
    if (state.sinkFailed) {
        return "The response could not be stored";
    }
    if (result == CURLE_HTTP_RETURNED_ERROR) {
        return "The server answered with HTTP status " + std::to_string(status);
    }
    std::string text = errorBuffer[0] != '\0' ? errorBuffer : curl_easy_strerror(result);
    return "The request failed: " + text;
}

} // namespace

bool isHttpUrl(const std::string& url) {
    return startsWithNoCase(url, "http://") || startsWithNoCase(url, "https://");
}

HttpOutcome performRequest(const HttpRequest& request, const BodySink& sink) {
    HttpOutcome outcome;
    if (!isHttpUrl(request.url)) {
        outcome.errorText = "Only http and https addresses can be fetched: " + request.url;
        return outcome;
    }
    CurlEasy curl;
    if (!curl) {
        outcome.errorText = "The request could not be prepared";
        return outcome;
    }
    TransferState state;
    state.pSink = &sink;
    state.maxBytes = request.limits.maxBytes;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    configure(curl.get(), request, state, errorBuffer);

    CURLcode result = curl_easy_perform(curl.get());
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &outcome.status);
    outcome.bytes = state.bytes;
    outcome.ok = result == CURLE_OK && !state.tooLarge && !state.sinkFailed;
    if (!outcome.ok) {
        outcome.errorText =
            describeFailure(result, state, outcome.status, errorBuffer, request.limits.maxBytes);
    }
    return outcome;
}

} // namespace tovak
