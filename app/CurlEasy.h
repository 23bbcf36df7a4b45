#pragma once

#include <curl/curl.h>

// Owner of one curl easy handle and of the header list set on it.
class CurlEasy {
public:
    CurlEasy() : m_pHandle(curl_easy_init()) {}
    CurlEasy(CurlEasy&& other) noexcept : m_pHandle(other.m_pHandle), m_pHeaders(other.m_pHeaders) {
        other.m_pHandle = nullptr;
        other.m_pHeaders = nullptr;
    }
    CurlEasy& operator=(CurlEasy&& other) noexcept {
        if (this != &other) {
            release();
            m_pHandle = other.m_pHandle;
            m_pHeaders = other.m_pHeaders;
            other.m_pHandle = nullptr;
            other.m_pHeaders = nullptr;
        }
        return *this;
    }
    CurlEasy(const CurlEasy&) = delete;
    CurlEasy& operator=(const CurlEasy&) = delete;
    ~CurlEasy() { release(); }

    CURL* get() const { return m_pHandle; }
    explicit operator bool() const { return m_pHandle != nullptr; }

    // Adds a request header; the list lives as long as the handle.
    bool addHeader(const char* header) {
        curl_slist* list = curl_slist_append(m_pHeaders, header);
        if (list == nullptr) {
            return false;
        }
        m_pHeaders = list;
        return curl_easy_setopt(m_pHandle, CURLOPT_HTTPHEADER, m_pHeaders) == CURLE_OK;
    }

private:
    void release() {
        if (m_pHandle != nullptr) {
            curl_easy_cleanup(m_pHandle);
        }
        curl_slist_free_all(m_pHeaders);
        m_pHandle = nullptr;
        m_pHeaders = nullptr;
    }

    CURL* m_pHandle = nullptr;
    curl_slist* m_pHeaders = nullptr;
};
