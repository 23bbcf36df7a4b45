#pragma once

#include "imaging/DrawingSurface.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Largest picture decoded, in pixels (8192 x 8192, 256 MiB of surface).
// Larger ones are refused from their header, before anything is allocated.
inline constexpr std::uint64_t kMaxJpegPixels = 8192ull * 8192ull;
// A progressive file with more scans than this is refused: no real photo has
// that many, and each scan costs a pass over the whole picture.
inline constexpr int kMaxJpegScans = 500;

struct JpegDecodeResult {
    DrawingSurface surface; // CAIRO_FORMAT_RGB24 on success
    std::string csError;    // the decoder's message on failure
    bool ok() const { return surface.isValid(); }
};

// Decodes a complete JPEG file held in memory straight into surface pixels.
// Never throws and never ends the process; a file that ends early is an
// error rather than a picture padded with grey.
JpegDecodeResult decodeJpeg(const std::uint8_t* pData, std::size_t nSize);

// Reads only the header: false with a message when it is not a JPEG file.
bool readJpegSize(const std::uint8_t* pData, std::size_t nSize, int& nWidth, int& nHeight,
                  std::string& csError);
