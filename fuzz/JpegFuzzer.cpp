// Input: a JPEG file as a pack would hold it. Whatever the bytes, the image
// facade must refuse them or decode them within the decode budget, without
// crashing, reading out of bounds or leaking, and write nothing outside the
// rectangle it is given.
#include "imaging/CxImage.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

constexpr std::uint32_t kSentinel = 0xFF123456u;

bool outsideUntouched(const DrawingSurface& frame, const Rect& placed) {
    frame.flush();
    for (int y = 0; y < frame.height(); ++y) {
        for (int x = 0; x < frame.width(); ++x) {
            const bool bInside =
                x >= placed.left && x < placed.right && y >= placed.top && y < placed.bottom;
            if (!bInside && frame.row(y)[x] != kSentinel) {
                return false;
            }
        }
    }
    return true;
}

// Draws the picture the ways the program does: cropped to a small screen
// around its centre, and shrunk to fit it (DCT scaling), each straight into
// a frame.
void drawAsTheShowDoes(const std::string& data, bool bCrop) {
    CxImage image;
    if (!image.Decode(data, CXIMAGE_FORMAT_JPG, CXIMAGE_DECODE_WHEN_DRAWN)) {
        return;
    }
    constexpr int W = 64;
    constexpr int H = 48;
    DrawingSurface frame = DrawingSurface::create(W, H);
    frame.fill(kSentinel);
    int w = image.GetWidth();
    int h = image.GetHeight();
    if (bCrop) {
        image.Crop((w - W) / 2, (h - H) / 2, (w - W) / 2 + W, (h - H) / 2 + H);
        w = image.GetWidth();
        h = image.GetHeight();
    } else if (w > W || h > H) {
        const bool bByWidth = static_cast<long>(w) * H > static_cast<long>(h) * W;
        const int cx = bByWidth ? W : static_cast<int>(static_cast<long>(w) * H / h);
        const int cy = bByWidth ? static_cast<int>(static_cast<long>(h) * W / w) : H;
        w = cx > 0 ? cx : 1;
        h = cy > 0 ? cy : 1;
    }
    const Rect placed{(W - w) / 2, (H - h) / 2, (W - w) / 2 + w, (H - h) / 2 + h};
    image.Draw(&frame, placed.left, placed.top, w, h);
    if (!outsideUntouched(frame, placed)) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string file(reinterpret_cast<const char*>(data), size);
    drawAsTheShowDoes(file, true);
    drawAsTheShowDoes(file, false);
    // Icons and artwork are decoded whole; keep to small ones here so that a
    // run spends its time on the decoder, not on filling big surfaces.
    int nWidth = 0;
    int nHeight = 0;
    std::string csError;
    if (readJpegSize(data, size, nWidth, nHeight, csError) &&
        static_cast<long>(nWidth) * nHeight <= 512L * 512L) {
        CxImage whole;
        whole.Decode(data, size, CXIMAGE_FORMAT_JPG);
    }
    return 0;
}
