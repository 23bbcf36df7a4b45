#pragma once

#include <curl/curl.h>
#include <utility>

namespace tovak {

// Owner of one curl easy handle; the destructor cleans it up.
class CurlHandle {
public:
    // A fresh handle (after the process-wide curl initialisation); check it
    // with operator bool.
    static CurlHandle create();

    CurlHandle() = default;
    CurlHandle(CurlHandle&& other) noexcept : m_pCurl(std::exchange(other.m_pCurl, nullptr)) {}
    CurlHandle& operator=(CurlHandle&& other) noexcept {
        if (this != &other) {
            reset(std::exchange(other.m_pCurl, nullptr));
        }
        return *this;
    }
    CurlHandle(const CurlHandle&) = delete;
    CurlHandle& operator=(const CurlHandle&) = delete;
    ~CurlHandle() { reset(nullptr); }

    explicit operator bool() const { return m_pCurl != nullptr; }
    CURL* get() const { return m_pCurl; }

private:
    explicit CurlHandle(CURL* curl) : m_pCurl(curl) {}
    void reset(CURL* curl) {
        if (m_pCurl != nullptr) {
            curl_easy_cleanup(m_pCurl);
        }
        m_pCurl = curl;
    }

    CURL* m_pCurl = nullptr;
};

} // namespace tovak
