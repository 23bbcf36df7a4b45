#include "slideshow/PhotoFit.h"

#include <cstdint>

namespace {

// Nine tenths of a screen side, as the fitting rule rounds it.
std::int64_t nineTenths(int nSide) {
    return 9 * (static_cast<std::int64_t>(nSide) / 10);
}

Size fitByWidth(std::int64_t w, std::int64_t h, int W) {
    const std::int64_t k = nineTenths(W);
    return Size{static_cast<int>(k), static_cast<int>(h * k / w)};
}

Size fitByHeight(std::int64_t w, std::int64_t h, int H) {
    const std::int64_t k = nineTenths(H);
    return Size{static_cast<int>(w * k / h), static_cast<int>(k)};
}

Size scaledSize(int w, int h, int W, int H) {
    if (w > h) {
        const Size size = fitByWidth(w, h, W);
        // A landscape photo on a wider screen would lose its top and
        // bottom (and the panel with them): fit it by the height instead.
        return size.cy > H ? fitByHeight(w, h, H) : size;
    }
    const Size size = fitByHeight(w, h, H);
    return size.cx > W ? fitByWidth(w, h, W) : size;
}

} // namespace

PhotoFit fitPhoto(int w, int h, int W, int H, int nDllVersion, int nBoxLocation) {
    PhotoFit fit;
    fit.crop = Rect{0, 0, w, h};
    fit.bLarger = w > W || h > H;
    Size drawn{w, h};
    if (nDllVersion < 5) {
        if (fit.bLarger) {
            drawn = scaledSize(w, h, W, H);
        }
    } else if (fit.bLarger) {
        fit.bCropped = true;
        const int nLeft = w > W ? (w - W) / 2 : 0;
        const int nTop = h > H ? (h - H) / 2 : 0;
        drawn = Size{w > W ? W : w, h > H ? H : h};
        fit.crop = Rect{nLeft, nTop, nLeft + drawn.cx, nTop + drawn.cy};
        fit.nCropShiftX = (nBoxLocation == 2 || nBoxLocation == 4) ? -nLeft : nLeft;
        fit.nCropShiftY = (nBoxLocation == 3 || nBoxLocation == 4) ? -nTop : nTop;
    }
    const int x = (W - drawn.cx) / 2;
    const int y = (H - drawn.cy) / 2;
    fit.placed = Rect{x, y, x + drawn.cx, y + drawn.cy};
    return fit;
}
