#pragma once

#include "imaging/DrawingSurface.h"

#include <cstddef>
#include <cstdint>
#include <string>

// How large a picture a caller is prepared to decode. Both bounds are
// checked before anything is allocated for the pixels: the file's size
// before it is read, the picture's size as soon as its header is.
struct ImageDecodeLimits {
    int nMaxWidth;
    int nMaxHeight;
    std::uint64_t nMaxFileBytes;
};

// The condition icons of a pack: drawn at their own size in a panel, so a
// larger one has no use.
inline constexpr ImageDecodeLimits kIconDecodeLimits{1024, 1024, 4ull * 1024 * 1024};

struct PngDecodeResult {
    DrawingSurface surface; // CAIRO_FORMAT_ARGB32 (premultiplied) on success
    std::string csError;    // why not, on failure
    bool ok() const { return surface.isValid(); }
};

// Decodes a complete PNG file held in memory. Every colour type, bit depth
// and interlacing is read; transparency is kept. Never throws.
PngDecodeResult decodePng(const std::uint8_t* pData, std::size_t nSize,
                          const ImageDecodeLimits& limits);

// Reads the regular file at csPath (anything else, such as a folder or a
// pipe, is refused without being opened) and decodes it.
PngDecodeResult loadPngFile(const std::string& csPath, const ImageDecodeLimits& limits);
