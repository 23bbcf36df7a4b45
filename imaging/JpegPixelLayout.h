#pragma once

// jpeglib.h needs FILE and size_t declared first.
#include <cstdio>
#include <jpeglib.h>

// How libjpeg sees a row of DrawingSurface pixels (32-bit 0xAARRGGBB words
// in native byte order) when it decodes into or encodes from one.
constexpr J_COLOR_SPACE surfacePixelSpace() {
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    return JCS_EXT_BGRX;
#else
    return JCS_EXT_XRGB;
#endif
}
