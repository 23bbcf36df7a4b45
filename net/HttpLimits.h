#pragma once

#include <cstddef>
#include <cstdint>

// Bounds on every HTTP request, so that a server that hangs, trickles or
// sends without end costs bounded time and memory. docs/http.md gives the
// reasons for the defaults.
struct HttpLimits {
    long nConnectTimeoutMs = 10'000;
    // Whole transfer of a document held in memory.
    long nDocumentTimeoutMs = 30'000;
    // Whole transfer of a file download (installers, promotion images).
    long nDownloadTimeoutMs = 15 * 60'000;
    // A download slower than this many bytes a second for nStallSeconds ends.
    long nStallBytesPerSecond = 64;
    long nStallSeconds = 60;
    std::size_t nMaxDocumentBytes = 8u << 20;
    std::uint64_t nMaxDownloadBytes = 512u << 20;
    long nMaxRedirects = 5;
};

// The limits in force for the process; tests shorten them.
HttpLimits httpLimits();
void setHttpLimits(const HttpLimits& limits);
