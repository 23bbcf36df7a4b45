#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/PngDecoder.h"

#include <string>

// The largest promotional picture shown: it comes from the network.
inline constexpr ImageDecodeLimits kPromoPictureLimits{4096, 4096, 16ull * 1024 * 1024};

struct PromoPictureResult {
    DrawingSurface surface;
    std::string csError;
    bool ok() const { return surface.isValid(); }
};

// Reads and decodes the promotional picture at csPath: a Windows bitmap,
// PNG or JPEG file (told apart by their first bytes), within
// kPromoPictureLimits. Anything else, or anything past the limits, is an
// error and the dialog shows without a picture. Only a regular file is
// opened.
PromoPictureResult loadPromoPicture(const std::string& csPath);
