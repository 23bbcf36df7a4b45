#include "imaging/PngDecoder.h"

#include "imaging/PngEncoder.h"
#include "support/TempFolder.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <zlib.h>

namespace {

std::string pngOf(const DrawingSurface& surface) {
    return encodePng(surface);
}

std::string be32(std::uint32_t v) {
    return std::string{static_cast<char>(v >> 24), static_cast<char>(v >> 16),
                       static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string pngChunk(const std::string& csType, const std::string& csData) {
    const std::string csBody = csType + csData;
    const auto nCrc = static_cast<std::uint32_t>(
        crc32(0, reinterpret_cast<const Bytef*>(csBody.data()), static_cast<uInt>(csBody.size())));
    return be32(static_cast<std::uint32_t>(csData.size())) + csBody + be32(nCrc);
}

// A well-formed PNG start claiming the size, with a few bytes of picture
// data: the file lies about a picture it does not hold.
std::string pngClaiming(std::uint32_t nWidth, std::uint32_t nHeight) {
    const std::string csHeader = be32(nWidth) + be32(nHeight) + std::string("\x08\x06\0\0\0", 5);
    return std::string("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", csHeader) +
           pngChunk("IDAT", std::string("\x78\x9c\x63\x00\x00\x00\x01\x00\x01", 9)) +
           pngChunk("IEND", "");
}

PngDecodeResult decode(const std::string& data,
                       const ImageDecodeLimits& limits = kIconDecodeLimits) {
    return decodePng(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), limits);
}

std::uint32_t pixel(const DrawingSurface& surface, int x, int y) {
    surface.flush();
    return surface.row(y)[x];
}

TEST(PngDecoder, KeepsColoursAndTransparency) {
    DrawingSurface source = DrawingSurface::create(3, 2, CAIRO_FORMAT_ARGB32);
    source.flush();
    source.row(0)[0] = 0xFFFF0000; // opaque red
    source.row(0)[1] = 0x80400000; // half-transparent red, premultiplied
    source.row(0)[2] = 0x00000000; // transparent
    source.row(1)[0] = 0xFF00FF00;
    source.row(1)[1] = 0xFF0000FF;
    source.row(1)[2] = 0xFFFFFFFF;
    source.markDirty();
    const PngDecodeResult result = decode(pngOf(source));
    ASSERT_TRUE(result.ok()) << result.csError;
    EXPECT_EQ(result.surface.width(), 3);
    EXPECT_EQ(result.surface.height(), 2);
    EXPECT_EQ(result.surface.format(), CAIRO_FORMAT_ARGB32);
    EXPECT_EQ(pixel(result.surface, 0, 0), 0xFFFF0000u);
    EXPECT_EQ(pixel(result.surface, 1, 0) >> 24, 0x80u);
    EXPECT_NEAR(static_cast<int>((pixel(result.surface, 1, 0) >> 16) & 0xFF), 0x40, 1);
    EXPECT_EQ(pixel(result.surface, 2, 0), 0u);
    EXPECT_EQ(pixel(result.surface, 0, 1), 0xFF00FF00u);
    EXPECT_EQ(pixel(result.surface, 1, 1), 0xFF0000FFu);
}

TEST(PngDecoder, RefusesPicturesBeyondItsBoundsBeforeAllocating) {
    // 100000 x 100000 would be 40 GB of pixels: refused from the header.
    const PngDecodeResult huge = decode(pngClaiming(100000, 100000));
    EXPECT_FALSE(huge.ok());
    EXPECT_EQ(huge.csError,
              "PNG: picture too large (100000 x 100000 pixels; at most 1024 x 1024 are decoded)");
    EXPECT_FALSE(decode(pngClaiming(1025, 1)).ok());
    // The same header within the bounds fails only for the missing data.
    const PngDecodeResult truncated = decode(pngClaiming(16, 16));
    EXPECT_FALSE(truncated.ok());
    EXPECT_EQ(truncated.csError.rfind("PNG: ", 0), 0u);
    EXPECT_EQ(truncated.csError.find("too large"), std::string::npos);

    const ImageDecodeLimits promotion{4096, 4096, 16ull * 1024 * 1024};
    EXPECT_NE(decode(pngClaiming(4096, 4096), promotion).csError.find("PNG: "), std::string::npos);
    EXPECT_NE(decode(pngClaiming(4097, 4096), promotion).csError.find("too large"),
              std::string::npos);

    const std::string csTooLong(kIconDecodeLimits.nMaxFileBytes + 1, '\0');
    EXPECT_EQ(decode(csTooLong).csError,
              "PNG: file too large (4194305 bytes; at most 4194304 are read)");
}

TEST(PngDecoder, DamagedDataIsAnErrorNotAPicture) {
    const std::string csGood = pngOf(DrawingSurface::create(8, 8, CAIRO_FORMAT_ARGB32));
    ASSERT_TRUE(decode(csGood).ok());
    for (const std::string& csData : {std::string(), std::string("not a png at all"),
                                      csGood.substr(0, csGood.size() / 2), csGood.substr(0, 8)}) {
        const PngDecodeResult result = decode(csData);
        EXPECT_FALSE(result.ok());
        EXPECT_FALSE(result.csError.empty());
    }
    // A header whose checksum does not match.
    std::string csBadHeader = csGood;
    csBadHeader[20] ^= 0x01;
    EXPECT_FALSE(decode(csBadHeader).ok());
}

TEST(PngDecoder, ReadsOnlyRegularFilesWithinTheBound) {
    testing_support::TempFolder folder;
    folder.write("icon.png", pngOf(DrawingSurface::create(4, 5, CAIRO_FORMAT_ARGB32)));
    const PngDecodeResult icon = loadPngFile(folder.file("icon.png"), kIconDecodeLimits);
    ASSERT_TRUE(icon.ok()) << icon.csError;
    EXPECT_EQ(icon.surface.height(), 5);

    EXPECT_EQ(loadPngFile(folder.file("none.png"), kIconDecodeLimits).csError,
              "PNG: no such file: " + folder.file("none.png"));
    EXPECT_FALSE(loadPngFile(folder.path(), kIconDecodeLimits).ok());
    // A pipe would block a reader forever: it is never opened.
    ASSERT_EQ(mkfifo(folder.file("pipe.png").c_str(), 0600), 0);
    EXPECT_FALSE(loadPngFile(folder.file("pipe.png"), kIconDecodeLimits).ok());

    folder.write("big.png", std::string(64, 'x'));
    const PngDecodeResult big = loadPngFile(folder.file("big.png"), ImageDecodeLimits{16, 16, 63});
    EXPECT_EQ(big.csError.rfind("PNG: file too large (64 bytes; at most 63 are read)", 0), 0u);
}

} // namespace
