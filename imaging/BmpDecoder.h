#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/PngDecoder.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct BmpDecodeResult {
    DrawingSurface surface; // CAIRO_FORMAT_RGB24 on success
    std::string csError;    // why not, on failure
    bool ok() const { return surface.isValid(); }
};

// Decodes a complete Windows bitmap file (.bmp) held in memory: the core
// and the info headers (versions 1 to 5), 1, 4 and 8 bits per pixel with a
// colour table, 16 and 32 bits with or without bit masks, 24 bits, rows
// bottom-up or top-down. Compressed bitmaps (RLE, embedded JPEG or PNG) are
// refused. The limits are checked before any pixel memory is taken, and no
// read goes past the data given. Never throws.
BmpDecodeResult decodeBmp(const std::uint8_t* pData, std::size_t nSize,
                          const ImageDecodeLimits& limits);
