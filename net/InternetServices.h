#pragma once

#include "net/TovakError.h"

#include <cstdint>
#include <string>

// Set the first time a fetch through a temporary file fails anywhere in the
// program; from then on every document fetch of the run uses the direct
// request. Touched only by the user-interface thread.
extern bool g_bUseDirectQuery;

// The program's own HTTP code. One object serves one request and is then
// discarded. Every request is synchronous, bounded by httpLimits(), follows
// redirects to http and https only, and reports failure by its result.
class InternetServices {
public:
    InternetServices();

    // Fetches url through a temporary file; on success getResponse() holds
    // the document. A null url fails without touching the texts.
    bool QueryUrl(const char* url);
    // Fetches url with a direct request; an empty url fails without touching
    // the texts.
    bool QueryUrlDirectly(const std::string& url);

    // Direct request (with a cache-busting parameter) written to
    // destinationPath, replacing it only when the download completed. A body
    // past nMaxBytes, or a transfer longer than nTotalTimeoutMs, fails the
    // download; either bound applies when not 0 and tighter than the
    // download limits.
    bool downloadFileFromURL(const std::string& sourceUrl, const std::string& destinationPath,
                             std::uint64_t nMaxBytes = 0, long nTotalTimeoutMs = 0);
    // The plain URL-to-file download. Clears errorRecord first and fills it on
    // failure; stores the file's size (0 on failure) through downloadedSize
    // when it is not null. Either pointer may be null.
    static bool downloadFileFromURL(const std::string& sourceUrl,
                                    const std::string& destinationPath,
                                    std::uint32_t* downloadedSize, LPTOVAKERROR errorRecord);

    // The text appended to "HTTP Status = <status>" in error texts.
    static std::string mapHTTPStatusCode(std::uint32_t status);
    static bool readFromFile(const std::string& path, std::string* result);

    std::string getResponse() const { return m_csResponse; }
    std::string getErrorText() const { return m_csError; }

    // "?" or "&" as url needs, then "rnd=" and a pseudo-random number.
    static std::string withCacheBuster(const std::string& url);

private:
    void setStatusError(std::uint32_t status);

    std::string m_csResponse;
    std::string m_csError;
    std::uint32_t m_dwHTTPStatus = 0;
};

// The fetch every document reader uses: the temporary-file route until it
// has failed once in this run, then (and after that failure) the direct
// request. The response and error text are read from services afterwards.
bool fetchDocument(InternetServices& services, const std::string& url);
