#pragma once

#include <curl/curl.h>
#include <mutex>
#include <string>
#include <utility>

// Move-only owners of libcurl's handles; each releases its handle once.

class CurlEasy {
public:
    CurlEasy() : m_hCurl(initialisedHandle()) {}
    CurlEasy(CurlEasy&& other) noexcept : m_hCurl(std::exchange(other.m_hCurl, nullptr)) {}
    CurlEasy& operator=(CurlEasy&& other) noexcept {
        std::swap(m_hCurl, other.m_hCurl);
        return *this;
    }
    CurlEasy(const CurlEasy&) = delete;
    CurlEasy& operator=(const CurlEasy&) = delete;
    ~CurlEasy() {
        if (m_hCurl != nullptr) {
            curl_easy_cleanup(m_hCurl);
        }
    }

    CURL* get() const { return m_hCurl; }
    explicit operator bool() const { return m_hCurl != nullptr; }

private:
    // libcurl's process-wide set-up has to run once, before the first handle
    // and never on two threads at a time; curl_easy_init alone would run it
    // unguarded.
    static CURL* initialisedHandle() {
        static std::once_flag once;
        std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
        return curl_easy_init();
    }

    CURL* m_hCurl;
};

class CurlHeaderList {
public:
    CurlHeaderList() = default;
    CurlHeaderList(CurlHeaderList&& other) noexcept
        : m_pList(std::exchange(other.m_pList, nullptr)) {}
    CurlHeaderList& operator=(CurlHeaderList&& other) noexcept {
        std::swap(m_pList, other.m_pList);
        return *this;
    }
    CurlHeaderList(const CurlHeaderList&) = delete;
    CurlHeaderList& operator=(const CurlHeaderList&) = delete;
    ~CurlHeaderList() { curl_slist_free_all(m_pList); }

    // False when libcurl could not copy the line; the list is then unchanged.
    bool append(const std::string& line) {
        curl_slist* extended = curl_slist_append(m_pList, line.c_str());
        if (extended == nullptr) {
            return false;
        }
        m_pList = extended;
        return true;
    }

    curl_slist* get() const { return m_pList; }

private:
    curl_slist* m_pList = nullptr;
};
