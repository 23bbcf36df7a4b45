#include "net/HttpTransfer.h"

#include "net/CurlHandles.h"

namespace {

// State the write callback shares with the classification after the transfer.
struct TransferState {
    CURL* hCurl = nullptr;
    const HttpBodySink* pSink = nullptr;
    std::uint64_t nMaxBytes = 0;
    std::uint64_t nReceived = 0;
    bool bStatusChecked = false;
    bool bStatusRejected = false;
    bool bTooLarge = false;
    bool bSinkFailed = false;
};

std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* state = static_cast<TransferState*>(user);
    const std::size_t length = size * count;
    if (!state->bStatusChecked) {
        state->bStatusChecked = true;
        long status = 0;
        curl_easy_getinfo(state->hCurl, CURLINFO_RESPONSE_CODE, &status);
        if (status > 299) {
            state->bStatusRejected = true;
            return 0;
        }
    }
    state->nReceived += length;
    if (state->nReceived > state->nMaxBytes) {
        state->bTooLarge = true;
        return 0;
    }
    try {
        if (!(*state->pSink)(std::string_view(data, length))) {
            state->bSinkFailed = true;
            return 0;
        }
    } catch (...) {
        state->bSinkFailed = true;
        return 0;
    }
    return length;
}

bool configure(CURL* curl, const std::string& url, const HttpTransferOptions& options,
               const CurlHeaderList& headers, TransferState& state, char* errorBuffer) {
    bool ok = curl_easy_setopt(curl, CURLOPT_URL, url.c_str()) == CURLE_OK;
#if LIBCURL_VERSION_NUM >= 0x075500
    ok = ok && curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK;
#else
    const long webOnly = CURLPROTO_HTTP | CURLPROTO_HTTPS;
    ok = ok && curl_easy_setopt(curl, CURLOPT_PROTOCOLS, webOnly) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS, webOnly) == CURLE_OK;
#endif
    ok = ok && curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_MAXREDIRS, options.nMaxRedirects) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L) == CURLE_OK;
    ok = ok &&
         curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, options.nConnectTimeoutMs) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, options.nTotalTimeoutMs) == CURLE_OK;
    if (options.nStallBytesPerSecond > 0) {
        ok = ok && curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, options.nStallBytesPerSecond) ==
                       CURLE_OK;
        ok =
            ok && curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, options.nStallSeconds) == CURLE_OK;
    }
    ok = ok && curl_easy_setopt(curl, CURLOPT_MAXFILESIZE_LARGE,
                                static_cast<curl_off_t>(options.nMaxBodyBytes)) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_USERAGENT, options.csUserAgent.c_str()) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers.get()) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, errorBuffer) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &onBody) == CURLE_OK;
    ok = ok && curl_easy_setopt(curl, CURLOPT_WRITEDATA, &state) == CURLE_OK;
    return ok;
}

bool reachedServer(CURL* curl) {
    char* address = nullptr;
    return curl_easy_getinfo(curl, CURLINFO_PRIMARY_IP, &address) == CURLE_OK &&
           address != nullptr && address[0] != '\0';
}

HttpTransferResult classify(CURL* curl, CURLcode code, const TransferState& state,
                            const HttpTransferOptions& options, const char* errorBuffer) {
    HttpTransferResult result;
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    result.dwStatus = static_cast<std::uint32_t>(status);
    result.csReason = errorBuffer[0] != '\0' ? errorBuffer : curl_easy_strerror(code);
    if (state.bTooLarge || code == CURLE_FILESIZE_EXCEEDED) {
        result.eOutcome = HttpOutcome::ReadFailed;
        result.csReason =
            "the response is larger than " + std::to_string(options.nMaxBodyBytes) + " bytes";
    } else if (state.bSinkFailed) {
        result.eOutcome = HttpOutcome::SinkFailed;
    } else if (state.bStatusRejected || status > 299) {
        result.eOutcome = HttpOutcome::StatusRejected;
        result.csReason = "the server answered with status " + std::to_string(status);
    } else if (code == CURLE_OUT_OF_MEMORY) {
        result.eOutcome = HttpOutcome::OutOfMemory;
    } else if (code == CURLE_WEIRD_SERVER_REPLY ||
               (code == CURLE_UNSUPPORTED_PROTOCOL && reachedServer(curl))) {
        // Something answered, but not with a status line we can read.
        result.eOutcome = HttpOutcome::NoStatus;
    } else if (code == CURLE_URL_MALFORMAT || code == CURLE_UNSUPPORTED_PROTOCOL) {
        result.eOutcome = HttpOutcome::BadUrl;
    } else if (status == 0) {
        result.eOutcome = code == CURLE_OK ? HttpOutcome::NoStatus : HttpOutcome::NotOpened;
    } else if (code != CURLE_OK) {
        result.eOutcome = HttpOutcome::ReadFailed;
    } else {
        result.eOutcome = HttpOutcome::Complete;
        result.csReason.clear();
    }
    return result;
}

} // namespace

HttpTransferResult httpGet(const std::string& url, const HttpTransferOptions& options,
                           const HttpBodySink& sink) {
    HttpTransferResult failed;
    CurlEasy curl;
    CurlHeaderList headers;
    // Always from the server: nothing between us and it may answer from a cache.
    bool ok = static_cast<bool>(curl) && headers.append("Cache-Control: no-cache") &&
              headers.append("Pragma: no-cache");
    if (ok && !options.csReferer.empty()) {
        ok = headers.append("Referer: " + options.csReferer);
    }
    if (!ok) {
        failed.eOutcome = HttpOutcome::OutOfMemory;
        failed.csReason = "libcurl could not set up the request";
        return failed;
    }
    TransferState state;
    state.hCurl = curl.get();
    state.pSink = &sink;
    state.nMaxBytes = options.nMaxBodyBytes;
    char errorBuffer[CURL_ERROR_SIZE] = {};
    if (!configure(curl.get(), url, options, headers, state, errorBuffer)) {
        failed.eOutcome = HttpOutcome::BadUrl;
        failed.csReason = "libcurl rejected the request's options";
        return failed;
    }
    const CURLcode code = curl_easy_perform(curl.get());
    return classify(curl.get(), code, state, options, errorBuffer);
}
