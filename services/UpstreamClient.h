#pragma once

#include <cstddef>
#include <string>
#include <vector>

// GET requests to one upstream weather service: bounded in time and size,
// and only ever to the configured base address.
class UpstreamClient {
public:
    UpstreamClient(std::string baseUrl, std::string userAgent, int timeoutMs, std::size_t maxBytes);

    // pathAndQuery starts with '/'. True with the body on a 2xx answer.
    bool get(const std::string& pathAndQuery, std::string& body, std::string& error) const;

    // The path and query of an address the upstream handed out; a full URL
    // is reduced to its path, so that following it never leaves the base.
    static std::string pathOf(const std::string& url);

    const std::string& baseUrl() const { return m_csBaseUrl; }

private:
    std::string m_csBaseUrl;
    std::string m_csHost;   // scheme, host and port of the base
    std::string m_csPrefix; // the base's path, empty or starting with '/'
    std::string m_csUserAgent;
    int m_nTimeoutMs;
    std::size_t m_nMaxBytes;
};
