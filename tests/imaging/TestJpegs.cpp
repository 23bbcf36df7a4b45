#include "TestJpegs.h"

#include "imaging/JpegErrorManager.h"

#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace test_jpegs {

namespace {

// Owner of one compressor and the buffer it writes into.
struct Compressor {
    Compressor() {
        info.err = errors.install();
        jpeg_create_compress(&info);
    }
    ~Compressor() {
        jpeg_destroy_compress(&info);
        std::free(pBuffer);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    jpeg_compress_struct info{};
    JpegErrorManager errors;
    unsigned char* pBuffer = nullptr;
    unsigned long nSize = 0;
};

void samplesOf(const std::uint32_t* pRow, int nWidth, const Encoding& encoding,
               std::vector<JSAMPLE>& samples) {
    samples.clear();
    for (int x = 0; x < nWidth; ++x) {
        const std::uint32_t p = pRow[x];
        const auto r = static_cast<JSAMPLE>(p >> 16), g = static_cast<JSAMPLE>(p >> 8),
                   b = static_cast<JSAMPLE>(p);
        if (encoding.bGrey) {
            samples.push_back(g);
        } else if (encoding.bCmyk) {
            // Adobe files hold the inverse of each ink: these decode to r, g, b.
            samples.insert(samples.end(), {r, g, b, 255});
        } else {
            samples.insert(samples.end(), {r, g, b});
        }
    }
}

} // namespace

std::string encode(const DrawingSurface& surface, const Encoding& encoding) {
    surface.flush();
    Compressor compressor;
    // Outside the jump's reach: libjpeg may jump over this function's frame.
    std::vector<JSAMPLE> samples;
    samples.reserve(static_cast<std::size_t>(surface.width()) * 4);
    if (setjmp(compressor.errors.jump) != 0) {
        throw std::runtime_error(compressor.errors.szMessage);
    }
    jpeg_compress_struct& info = compressor.info;
    jpeg_mem_dest(&info, &compressor.pBuffer, &compressor.nSize);
    info.image_width = static_cast<JDIMENSION>(surface.width());
    info.image_height = static_cast<JDIMENSION>(surface.height());
    info.input_components = encoding.bGrey ? 1 : encoding.bCmyk ? 4 : 3;
    info.in_color_space = encoding.bGrey ? JCS_GRAYSCALE : encoding.bCmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, encoding.nQuality, TRUE);
    info.arith_code = encoding.bArithmetic ? TRUE : FALSE;
    if (encoding.bProgressive) {
        jpeg_simple_progression(&info);
    }
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        samplesOf(surface.row(static_cast<int>(info.next_scanline)), surface.width(), encoding,
                  samples);
        JSAMPROW pRow = samples.data();
        jpeg_write_scanlines(&info, &pRow, 1);
    }
    jpeg_finish_compress(&info);
    return std::string(reinterpret_cast<const char*>(compressor.pBuffer), compressor.nSize);
}

DrawingSurface detailed(int nWidth, int nHeight) {
    DrawingSurface surface = DrawingSurface::create(nWidth, nHeight);
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            const std::uint32_t r = static_cast<std::uint32_t>(x * 255 / nWidth);
            const std::uint32_t g = static_cast<std::uint32_t>(y * 255 / nHeight);
            const std::uint32_t b = ((x / 6 + y / 6) % 2) * 160 + 40;
            surface.row(y)[x] = 0xFF000000u | (r << 16) | (g << 8) | b;
        }
    }
    surface.markDirty();
    return surface;
}

bool near(std::uint32_t a, std::uint32_t b, int nTolerance) {
    for (const int shift : {0, 8, 16}) {
        const int d = static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(d) > nTolerance) {
            return false;
        }
    }
    return true;
}

double meanDifference(const DrawingSurface& a, const DrawingSurface& b, int dx, int dy, int nLeft,
                      int nTop, int nRight, int nBottom) {
    a.flush();
    b.flush();
    double total = 0;
    long nCount = 0;
    for (int y = nTop; y < nBottom; ++y) {
        for (int x = nLeft; x < nRight; ++x) {
            const std::uint32_t pa = a.row(y + dy)[x + dx];
            const std::uint32_t pb = b.row(y)[x];
            for (const int shift : {0, 8, 16}) {
                total += std::abs(static_cast<int>((pa >> shift) & 0xFF) -
                                  static_cast<int>((pb >> shift) & 0xFF));
                ++nCount;
            }
        }
    }
    return nCount == 0 ? 0 : total / static_cast<double>(nCount);
}

} // namespace test_jpegs
