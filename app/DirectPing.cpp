#include "app/DirectPing.h"

#include "net/CurlHandles.h"

#include <cstddef>

namespace {

// Reads and discards the body while the status is below 300; a later status
// ends the transfer at once instead of reading an error page.
size_t discardBody(char*, size_t size, size_t count, void* userData) {
    long status = 0;
    curl_easy_getinfo(static_cast<CURL*>(userData), CURLINFO_RESPONSE_CODE, &status);
    return status < 300 ? size * count : 0;
}

bool configure(CurlEasy& curl, CurlHeaderList& headers, const std::string& url,
               const std::string& referer) {
    CURL* handle = curl.get();
    return curl_easy_setopt(handle, CURLOPT_URL, url.c_str()) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_USERAGENT, kDirectPingUserAgent) == CURLE_OK &&
           headers.append("Referer: " + referer) && headers.append("Cache-Control: no-cache") &&
           headers.append("Pragma: no-cache") &&
           curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get()) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_MAXREDIRS, 3L) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, kDirectPingConnectTimeoutMs) ==
               CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, kDirectPingTotalTimeoutMs) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, discardBody) == CURLE_OK &&
           curl_easy_setopt(handle, CURLOPT_WRITEDATA, handle) == CURLE_OK;
}

} // namespace

bool sendDirectPing(const std::string& url, const std::string& referer) {
    try {
        // The header list is declared first so that it outlives the handle using it.
        CurlHeaderList headers;
        CurlEasy curl;
        if (!curl || !configure(curl, headers, url, referer)) {
            return false;
        }
        if (curl_easy_perform(curl.get()) != CURLE_OK) {
            return false;
        }
        long status = 0;
        curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &status);
        return status > 0 && status < 300;
    } catch (...) {
        // A ping never fails the caller.
        return false;
    }
}
