#include "packs/PromoPicture.h"

#include "slideshow/PackFixtures.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

void put(std::string& out, std::uint32_t nValue, int nBytes) {
    for (int i = 0; i < nBytes; ++i) {
        out += static_cast<char>((nValue >> (8 * i)) & 0xFF);
    }
}

// A bitmap file as Windows writes one: the file header, an info header of
// nHeaderSize bytes, the colour table or masks, then rows of pixel bytes
// padded to four bytes (rows given top row first; written bottom-up unless
// bTopDown).
std::string bitmapFile(int nWidth, const std::vector<std::string>& rows, int nBitCount,
                       const std::string& csTable = "", std::uint32_t nCompression = 0,
                       bool bTopDown = false, int nHeaderSize = 40) {
    std::string pixels;
    const std::size_t nRowBytes = (static_cast<std::size_t>(nWidth) * nBitCount + 31) / 32 * 4;
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::string row = rows[bTopDown ? r : rows.size() - 1 - r];
        row.resize(nRowBytes, '\0');
        pixels += row;
    }
    std::string header;
    if (nHeaderSize == 12) {
        put(header, 12, 4);
        put(header, static_cast<std::uint32_t>(nWidth), 2);
        put(header, static_cast<std::uint32_t>(rows.size()), 2);
        put(header, 1, 2);
        put(header, static_cast<std::uint32_t>(nBitCount), 2);
    } else {
        put(header, static_cast<std::uint32_t>(nHeaderSize), 4);
        put(header, static_cast<std::uint32_t>(nWidth), 4);
        const auto nRows = static_cast<std::int32_t>(rows.size());
        put(header, static_cast<std::uint32_t>(bTopDown ? -nRows : nRows), 4);
        put(header, 1, 2);
        put(header, static_cast<std::uint32_t>(nBitCount), 2);
        put(header, nCompression, 4);
        put(header, static_cast<std::uint32_t>(pixels.size()), 4);
        header.resize(static_cast<std::size_t>(nHeaderSize), '\0');
    }
    std::string file = "BM";
    const std::uint32_t nOffset = 14 + static_cast<std::uint32_t>(header.size() + csTable.size());
    put(file, nOffset + static_cast<std::uint32_t>(pixels.size()), 4);
    put(file, 0, 4);
    put(file, nOffset, 4);
    return file + header + csTable + pixels;
}

std::string bgr(std::uint32_t rgb) {
    std::string bytes;
    put(bytes, rgb, 3);
    return bytes;
}

class PromoPicture : public ::testing::Test {
protected:
    PromoPictureResult load(const std::string& csContent) {
        m_folder.write("picture", csContent);
        return loadPromoPicture(m_folder.file("picture"));
    }
    std::uint32_t pixel(const PromoPictureResult& picture, int x, int y) {
        return picture.surface.row(y)[x] & 0xFFFFFF;
    }

    testing_support::TempFolder m_folder;
};

TEST_F(PromoPicture, BitmapsOfEveryCommonDepthDecode) {
    const std::uint32_t red = 0xFF0000, green = 0x00FF00, blue = 0x0000FF, white = 0xFFFFFF;
    struct Case {
        const char* szWhat;
        std::string file;
    } cases[] = {
        {"24-bit bottom-up", bitmapFile(2, {bgr(red) + bgr(green), bgr(blue) + bgr(white)}, 24)},
        {"32-bit top-down",
         bitmapFile(
             2, {bgr(red) + "\xFF" + bgr(green) + "\xFF", bgr(blue) + "\xFF" + bgr(white) + "\xFF"},
             32, "", 0, true)},
        {"8-bit with a colour table",
         bitmapFile(2, {std::string("\x00\x01", 2), std::string("\x02\x03", 2)}, 8,
                    bgr(red) + '\0' + bgr(green) + '\0' + bgr(blue) + '\0' + bgr(white) + '\0')},
        {"4-bit",
         bitmapFile(2, {std::string("\x01", 1), std::string("\x23", 1)}, 4,
                    bgr(red) + '\0' + bgr(green) + '\0' + bgr(blue) + '\0' + bgr(white) + '\0')},
        {"16-bit 5-6-5 masks",
         bitmapFile(2, {std::string("\x00\xF8\xE0\x07", 4), std::string("\x1F\x00\xFF\xFF", 4)}, 16,
                    std::string("\x00\xF8\x00\x00\xE0\x07\x00\x00\x1F\x00\x00\x00", 12), 3)},
        {"core header", bitmapFile(2, {std::string("\x00\x01", 2), std::string("\x02\x03", 2)}, 8,
                                   bgr(red) + bgr(green) + bgr(blue) + bgr(white), 0, false, 12)},
    };
    for (const Case& c : cases) {
        const PromoPictureResult picture = load(c.file);
        ASSERT_TRUE(picture.ok()) << c.szWhat << ": " << picture.csError;
        EXPECT_EQ(picture.surface.width(), 2) << c.szWhat;
        EXPECT_EQ(picture.surface.height(), 2) << c.szWhat;
        EXPECT_EQ(pixel(picture, 0, 0), red) << c.szWhat;
        EXPECT_EQ(pixel(picture, 1, 0), green) << c.szWhat;
        EXPECT_EQ(pixel(picture, 0, 1), blue) << c.szWhat;
        EXPECT_EQ(pixel(picture, 1, 1), white) << c.szWhat;
    }
    // A one-bit picture, eight pixels to the byte.
    const PromoPictureResult mono =
        load(bitmapFile(9, {std::string("\xA5\x80", 2)}, 1, bgr(0) + '\0' + bgr(white) + '\0'));
    ASSERT_TRUE(mono.ok()) << mono.csError;
    EXPECT_EQ(pixel(mono, 0, 0), white);
    EXPECT_EQ(pixel(mono, 1, 0), 0u);
    EXPECT_EQ(pixel(mono, 7, 0), white);
    EXPECT_EQ(pixel(mono, 8, 0), white);
}

TEST_F(PromoPicture, PngAndJpegDecodeToo) {
    EXPECT_TRUE(load(fixtures::pngOf(fixtures::solidSurface(30, 20, 0x123456))).ok());
    const PromoPictureResult jpeg =
        load(fixtures::jpegOf(fixtures::solidSurface(30, 20, 0xFFFFFF)));
    ASSERT_TRUE(jpeg.ok()) << jpeg.csError;
    EXPECT_EQ(jpeg.surface.width(), 30);
}

TEST_F(PromoPicture, AnythingElseOrAnythingLargerShowsNoPicture) {
    const std::string csGood = bitmapFile(2, {bgr(0) + bgr(0), bgr(0) + bgr(0)}, 24);
    std::string csWide = csGood;
    csWide[18] = '\x01'; // width 4097
    csWide[19] = '\x10';
    std::string csTall = bitmapFile(1, std::vector<std::string>(1, bgr(0)), 24);
    csTall[22] = '\x00'; // height 0x10000000, checked before any memory is taken
    csTall[25] = '\x10';
    struct Case {
        const char* szWhat;
        std::string file;
    } cases[] = {
        {"empty", ""},
        {"a GIF", "GIF89a\x01\x00\x01\x00"},
        {"text", "<html>not a picture</html>"},
        {"cut short", csGood.substr(0, csGood.size() - 3)},
        {"header only", csGood.substr(0, 20)},
        {"4097 wide", csWide},
        {"taller than 4096", csTall},
        {"run-length compressed", bitmapFile(2, {std::string(2, '\0'), std::string(2, '\0')}, 8,
                                             std::string(1024, '\0'), 1)},
        {"a JPEG wider than 4096", fixtures::jpegOf(fixtures::solidSurface(4100, 8, 0))},
        {"a broken PNG", fixtures::pngOf(fixtures::solidSurface(8, 8, 0)).substr(0, 40)},
        {"over 16 MiB", csGood + std::string(16 * 1024 * 1024, '\0')},
    };
    for (const Case& c : cases) {
        const PromoPictureResult picture = load(c.file);
        EXPECT_FALSE(picture.ok()) << c.szWhat;
        EXPECT_FALSE(picture.csError.empty()) << c.szWhat;
    }
    // Only a regular file is read.
    EXPECT_FALSE(loadPromoPicture(m_folder.path()).ok());
    EXPECT_FALSE(loadPromoPicture(m_folder.file("missing.bmp")).ok());
}

} // namespace
