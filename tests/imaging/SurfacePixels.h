#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"

#include <cstdint>
#include <cstdlib>
#include <initializer_list>

// Reading composed pixels back in tests, colours as 0xRRGGBB.
inline std::uint32_t pixelAt(const DrawingSurface& surface, int x, int y) {
    surface.flush();
    return surface.row(y)[x] & 0xFFFFFFu;
}

// The smallest rectangle holding every pixel that differs from background;
// empty when there is none.
inline Rect inkBounds(const DrawingSurface& surface, std::uint32_t background) {
    Rect bounds{surface.width(), surface.height(), 0, 0};
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            if (pixelAt(surface, x, y) != background) {
                bounds.left = x < bounds.left ? x : bounds.left;
                bounds.top = y < bounds.top ? y : bounds.top;
                bounds.right = x + 1 > bounds.right ? x + 1 : bounds.right;
                bounds.bottom = y + 1 > bounds.bottom ? y + 1 : bounds.bottom;
            }
        }
    }
    return bounds.isEmpty() ? Rect{} : bounds;
}

// True when every channel of the pixel (0xRRGGBB) is within nTolerance of rgb.
inline bool nearColour(std::uint32_t pixel, std::uint32_t rgb, int nTolerance) {
    for (const int nShift : {0, 8, 16}) {
        const int a = static_cast<int>((pixel >> nShift) & 0xFF);
        const int b = static_cast<int>((rgb >> nShift) & 0xFF);
        if (std::abs(a - b) > nTolerance) {
            return false;
        }
    }
    return true;
}
