#include "imaging/PngDecoder.h"

#include <filesystem>
#include <fstream>
#include <memory>
#include <png.h>
#include <system_error>

namespace {

// Owner of libpng's simplified reader. Kept on the heap: libpng reports
// errors through a pointer to the structure, so it must never move.
struct PngImageRelease {
    void operator()(png_image* pImage) const {
        png_image_free(pImage);
        delete pImage;
    }
};
using PngImagePtr = std::unique_ptr<png_image, PngImageRelease>;

PngImagePtr makePngImage() {
    PngImagePtr pImage(new png_image{});
    pImage->version = PNG_IMAGE_VERSION;
    return pImage;
}

PngDecodeResult failure(std::string csError) {
    PngDecodeResult result;
    result.csError = std::move(csError);
    return result;
}

std::string libpngError(const png_image& image) {
    return std::string("PNG: ") + (image.message[0] != '\0' ? image.message : "unreadable file");
}

// Cairo keeps a pixel as one native-endian word 0xAARRGGBB.
constexpr png_uint_32 kSurfaceFormat =
#if __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
    PNG_FORMAT_BGRA;
#else
    PNG_FORMAT_ARGB;
#endif

void premultiply(DrawingSurface& surface) {
    for (int y = 0; y < surface.height(); ++y) {
        std::uint32_t* pRow = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            const std::uint32_t pixel = pRow[x];
            const std::uint32_t alpha = pixel >> 24;
            if (alpha == 255) {
                continue;
            }
            auto scale = [alpha](std::uint32_t channel) { return (channel * alpha + 127) / 255; };
            pRow[x] = (alpha << 24) | (scale((pixel >> 16) & 0xFF) << 16) |
                      (scale((pixel >> 8) & 0xFF) << 8) | scale(pixel & 0xFF);
        }
    }
}

} // namespace

PngDecodeResult decodePng(const std::uint8_t* pData, std::size_t nSize,
                          const ImageDecodeLimits& limits) {
    if (pData == nullptr || nSize == 0) {
        return failure("PNG: no data");
    }
    if (nSize > limits.nMaxFileBytes) {
        return failure("PNG: file too large (" + std::to_string(nSize) + " bytes; at most " +
                       std::to_string(limits.nMaxFileBytes) + " are read)");
    }
    PngImagePtr pImage = makePngImage();
    if (png_image_begin_read_from_memory(pImage.get(), pData, nSize) == 0) {
        return failure(libpngError(*pImage));
    }
    const png_uint_32 nWidth = pImage->width;
    const png_uint_32 nHeight = pImage->height;
    if (nWidth == 0 || nHeight == 0 || nWidth > static_cast<png_uint_32>(limits.nMaxWidth) ||
        nHeight > static_cast<png_uint_32>(limits.nMaxHeight)) {
        return failure("PNG: picture too large (" + std::to_string(nWidth) + " x " +
                       std::to_string(nHeight) + " pixels; at most " +
                       std::to_string(limits.nMaxWidth) + " x " +
                       std::to_string(limits.nMaxHeight) + " are decoded)");
    }
    pImage->format = kSurfaceFormat;
    DrawingSurface surface = DrawingSurface::create(static_cast<int>(nWidth),
                                                    static_cast<int>(nHeight), CAIRO_FORMAT_ARGB32);
    if (!surface.isValid()) {
        return failure("PNG: not enough memory for " + std::to_string(nWidth) + " x " +
                       std::to_string(nHeight) + " pixels");
    }
    surface.flush();
    const int nStride = cairo_image_surface_get_stride(surface.get());
    if (png_image_finish_read(pImage.get(), nullptr, surface.row(0), nStride, nullptr) == 0) {
        return failure(libpngError(*pImage));
    }
    premultiply(surface);
    surface.markDirty();
    PngDecodeResult result;
    result.surface = std::move(surface);
    return result;
}

PngDecodeResult loadPngFile(const std::string& csPath, const ImageDecodeLimits& limits) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(csPath, error)) {
        return failure("PNG: no such file: " + csPath);
    }
    const std::uintmax_t nSize = std::filesystem::file_size(csPath, error);
    if (error) {
        return failure("PNG: cannot read " + csPath);
    }
    if (nSize > limits.nMaxFileBytes) {
        return failure("PNG: file too large (" + std::to_string(nSize) + " bytes; at most " +
                       std::to_string(limits.nMaxFileBytes) + " are read): " + csPath);
    }
    std::ifstream file(csPath, std::ios::binary);
    // The file may have grown since it was measured: never read past the bound.
    std::string data(static_cast<std::size_t>(nSize), '\0');
    if (!file || !file.read(data.data(), static_cast<std::streamsize>(data.size()))) {
        return failure("PNG: cannot read " + csPath);
    }
    return decodePng(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), limits);
}
