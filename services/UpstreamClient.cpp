#include "services/UpstreamClient.h"

#include <chrono>
#include <httplib.h>

UpstreamClient::UpstreamClient(std::string baseUrl, std::string userAgent, int timeoutMs,
                               std::size_t maxBytes)
    : m_csBaseUrl(std::move(baseUrl)), m_csUserAgent(std::move(userAgent)), m_nTimeoutMs(timeoutMs),
      m_nMaxBytes(maxBytes) {
    while (!m_csBaseUrl.empty() && m_csBaseUrl.back() == '/') {
        m_csBaseUrl.pop_back();
    }
    // The base may carry a path prefix (a proxy, or a test's fake upstream).
    const auto scheme = m_csBaseUrl.find("://");
    const auto slash =
        scheme == std::string::npos ? std::string::npos : m_csBaseUrl.find('/', scheme + 3);
    m_csHost = slash == std::string::npos ? m_csBaseUrl : m_csBaseUrl.substr(0, slash);
    m_csPrefix = slash == std::string::npos ? "" : m_csBaseUrl.substr(slash);
}

std::string UpstreamClient::pathOf(const std::string& url) {
    const auto scheme = url.find("://");
    if (scheme == std::string::npos) {
        return url.empty() || url[0] != '/' ? "/" + url : url;
    }
    const auto slash = url.find('/', scheme + 3);
    return slash == std::string::npos ? "/" : url.substr(slash);
}

bool UpstreamClient::get(const std::string& pathAndQuery, std::string& body,
                         std::string& error) const {
    body.clear();
    httplib::Client client(m_csHost);
    if (!client.is_valid()) {
        error = "invalid upstream address " + m_csBaseUrl;
        return false;
    }
    const time_t seconds = m_nTimeoutMs / 1000;
    const time_t micros = (m_nTimeoutMs % 1000) * 1000;
    client.set_connection_timeout(seconds, micros);
    client.set_read_timeout(seconds, micros);
    client.set_write_timeout(seconds, micros);
    client.set_follow_location(false);
    const httplib::Headers headers = {{"User-Agent", m_csUserAgent},
                                      {"Accept", "application/geo+json, application/json"}};
    // The read timeout bounds each read; this bounds a trickling answer as a whole.
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(2 * m_nTimeoutMs);
    bool tooLarge = false;
    bool tooSlow = false;
    auto result =
        client.Get(m_csPrefix + pathAndQuery, headers, [&](const char* data, size_t length) {
            if (body.size() + length > m_nMaxBytes) {
                tooLarge = true;
                return false;
            }
            if (std::chrono::steady_clock::now() > deadline) {
                tooSlow = true;
                return false;
            }
            body.append(data, length);
            return true;
        });
    if (tooLarge) {
        error = "upstream answer larger than " + std::to_string(m_nMaxBytes) + " bytes";
        return false;
    }
    if (tooSlow) {
        error = "upstream answer took too long";
        return false;
    }
    if (!result) {
        error = "upstream request failed: " + httplib::to_string(result.error());
        return false;
    }
    if (result->status < 200 || result->status > 299) {
        error = "upstream answered HTTP " + std::to_string(result->status);
        return false;
    }
    return true;
}
