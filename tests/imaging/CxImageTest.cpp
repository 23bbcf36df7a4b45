#include "imaging/CxImage.h"

#include "imaging/JpegDecoder.h"
#include "slideshow/PackFixtures.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using fixtures::jpegOf;

std::uint32_t rgbAt(const DrawingSurface& surface, int x, int y) {
    return surface.row(y)[x] & 0xFFFFFF;
}

// JPEG is lossy: a channel within 12 of the expected value counts.
bool near(std::uint32_t actual, std::uint32_t expected) {
    for (int shift = 0; shift <= 16; shift += 8) {
        const int a = static_cast<int>((actual >> shift) & 0xFF);
        const int e = static_cast<int>((expected >> shift) & 0xFF);
        if (std::abs(a - e) > 12) {
            return false;
        }
    }
    return true;
}

bool decode(CxImage& image, const std::string& data, int nFormat = CXIMAGE_FORMAT_JPG) {
    return image.Decode(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), nFormat);
}

// The width field of the first frame header, patched to make a file whose
// header declares another size than its data.
std::string withDeclaredSize(std::string data, int nWidth, int nHeight) {
    for (std::size_t i = 0; i + 9 < data.size(); ++i) {
        if (static_cast<unsigned char>(data[i]) == 0xFF &&
            (static_cast<unsigned char>(data[i + 1]) & 0xFC) == 0xC0) {
            data[i + 5] = static_cast<char>(nHeight >> 8);
            data[i + 6] = static_cast<char>(nHeight & 0xFF);
            data[i + 7] = static_cast<char>(nWidth >> 8);
            data[i + 8] = static_cast<char>(nWidth & 0xFF);
            return data;
        }
    }
    return data;
}

TEST(CxImageDecoding, DecodesPixelsInPlaceOfTheCompositor) {
    CxImage image;
    EXPECT_FALSE(image.IsValid());
    ASSERT_TRUE(decode(image, jpegOf(fixtures::quadrantSurface(64, 48)))) << image.GetLastError();
    ASSERT_TRUE(image.IsValid());
    EXPECT_EQ(64, image.GetWidth());
    EXPECT_EQ(48, image.GetHeight());
    EXPECT_EQ(CAIRO_FORMAT_RGB24, image.surface().format());
    EXPECT_TRUE(near(rgbAt(image.surface(), 5, 5), 0xFF0000));
    EXPECT_TRUE(near(rgbAt(image.surface(), 60, 5), 0x00FF00));
    EXPECT_TRUE(near(rgbAt(image.surface(), 5, 44), 0x0000FF));
    EXPECT_TRUE(near(rgbAt(image.surface(), 60, 44), 0xFFFFFF));
}

TEST(CxImageDecoding, FailuresLeaveNoPictureAndSayWhy) {
    CxImage image;
    const std::string good = jpegOf(fixtures::quadrantSurface(256, 256));
    ASSERT_TRUE(decode(image, good));

    EXPECT_FALSE(decode(image, good.substr(0, good.size() - good.size() / 4)));
    EXPECT_FALSE(image.IsValid());
    EXPECT_NE(std::string::npos, image.GetLastError().find("remature end")) << image.GetLastError();
    EXPECT_FALSE(decode(image, good.substr(0, 100)));
    EXPECT_FALSE(image.GetLastError().empty());

    EXPECT_FALSE(decode(image, "GIF89a this is not a JPEG file at all"));
    EXPECT_NE(std::string::npos, image.GetLastError().find("Not a JPEG file"));

    EXPECT_FALSE(decode(image, good, CXIMAGE_FORMAT_PNG));
    EXPECT_EQ("Decode: Unknown or wrong format", image.GetLastError());
    EXPECT_FALSE(decode(image, good, 7));
    EXPECT_EQ("Decode: Unknown or wrong format", image.GetLastError());

    EXPECT_FALSE(image.Decode(nullptr, 0, CXIMAGE_FORMAT_JPG));
    EXPECT_FALSE(image.IsValid());
}

TEST(CxImageDecoding, RefusesPicturesAboveThePixelLimitFromTheHeader) {
    const std::string small = jpegOf(fixtures::solidSurface(16, 16, 0x808080));
    CxImage image;
    // 60000 x 60000 would need over 13 GiB of pixels.
    EXPECT_FALSE(decode(image, withDeclaredSize(small, 60000, 60000)));
    EXPECT_NE(std::string::npos, image.GetLastError().find("too large")) << image.GetLastError();
    EXPECT_FALSE(decode(image, withDeclaredSize(small, 8193, 8192)));
    EXPECT_NE(std::string::npos, image.GetLastError().find("too large"));
    // Within the limit, the same lie is only a short file.
    EXPECT_FALSE(decode(image, withDeclaredSize(small, 640, 480)));
    EXPECT_EQ(std::string::npos, image.GetLastError().find("too large"));
}

TEST(CxImageDecoding, ReadsSizeFromHeaderOnly) {
    int nWidth = 0;
    int nHeight = 0;
    std::string csError;
    const std::string data = jpegOf(fixtures::solidSurface(120, 90, 0));
    ASSERT_TRUE(readJpegSize(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(),
                             nWidth, nHeight, csError));
    EXPECT_EQ(120, nWidth);
    EXPECT_EQ(90, nHeight);
    EXPECT_FALSE(
        readJpegSize(reinterpret_cast<const std::uint8_t*>("xx"), 2, nWidth, nHeight, csError));
}

class CxImageEditing : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(decode(m_image, jpegOf(fixtures::quadrantSurface(40, 20))));
    }
    CxImage m_image;
};

TEST_F(CxImageEditing, CropClampsToThePicture) {
    EXPECT_TRUE(m_image.Crop(-10, -10, 25, 15));
    EXPECT_EQ(25, m_image.GetWidth());
    EXPECT_EQ(15, m_image.GetHeight());
    EXPECT_TRUE(m_image.Crop(20, 5, 1000, 1000));
    EXPECT_EQ(5, m_image.GetWidth());
    EXPECT_EQ(10, m_image.GetHeight());
    EXPECT_TRUE(near(rgbAt(m_image.surface(), 4, 9), 0xFFFFFF));
}

TEST_F(CxImageEditing, EmptyCropFailsAndKeepsThePicture) {
    EXPECT_FALSE(m_image.Crop(10, 10, 10, 15));
    EXPECT_FALSE(m_image.Crop(50, 0, 60, 20));
    EXPECT_FALSE(m_image.Crop(30, 15, 5, 5));
    EXPECT_EQ(40, m_image.GetWidth());
    EXPECT_EQ(20, m_image.GetHeight());
    CxImage empty;
    EXPECT_FALSE(empty.Crop(0, 0, 1, 1));
}

TEST_F(CxImageEditing, DrawsAtItsOwnSizeAndClipsAtTheEdges) {
    DrawingSurface target = fixtures::solidSurface(50, 30, 0x000000);
    EXPECT_TRUE(m_image.Draw(&target, -20, 20));
    // Target column 5 shows picture column 25, target row 25 picture row 5.
    EXPECT_TRUE(near(rgbAt(target, 5, 25), 0x00FF00));
    EXPECT_EQ(0u, rgbAt(target, 20, 25));
    EXPECT_EQ(0u, rgbAt(target, 5, 19));
    EXPECT_EQ(0xFF000000u, target.row(25)[5] & 0xFF000000u);
}

TEST_F(CxImageEditing, StretchesNearestNeighbour) {
    DrawingSurface target = fixtures::solidSurface(100, 100, 0x000000);
    ASSERT_TRUE(m_image.Draw(&target, 10, 10, 80, 40));
    // Each source pixel becomes a 2 x 2 block: same value, no blending.
    for (int y = 10; y < 50; y += 2) {
        for (int x = 10; x < 90; x += 2) {
            const std::uint32_t pixel = rgbAt(target, x, y);
            ASSERT_EQ(pixel, rgbAt(target, x + 1, y + 1));
            ASSERT_EQ(rgbAt(m_image.surface(), (x - 10) / 2, (y - 10) / 2), pixel);
        }
    }
    EXPECT_EQ(0u, rgbAt(target, 9, 10));
    EXPECT_EQ(0u, rgbAt(target, 90, 49));
    EXPECT_EQ(0u, rgbAt(target, 50, 50));
}

TEST_F(CxImageEditing, DrawsNothingWithoutSomethingToDraw) {
    DrawingSurface target = fixtures::solidSurface(10, 10, 0x000000);
    EXPECT_FALSE(m_image.Draw(nullptr, 0, 0));
    EXPECT_FALSE(m_image.Draw(&target, 0, 0, 0, 5));
    EXPECT_FALSE(m_image.Draw(&target, 0, 0, 5, 0));
    m_image.Enable(false);
    EXPECT_FALSE(m_image.Draw(&target, 0, 0));
    EXPECT_EQ(0u, rgbAt(target, 0, 0));
    CxImage empty;
    EXPECT_FALSE(empty.Draw(&target, 0, 0));
}

TEST_F(CxImageEditing, MakeBitmapIsAnIndependentCopy) {
    DrawingSurface bitmap = m_image.MakeBitmap();
    ASSERT_TRUE(bitmap.isValid());
    EXPECT_EQ(40, bitmap.width());
    bitmap.fill(0x000000);
    EXPECT_TRUE(near(rgbAt(m_image.surface(), 0, 0), 0xFF0000));
    EXPECT_FALSE(CxImage().MakeBitmap().isValid());
}

TEST(CxImageDecodedWhenDrawn, KnowsItsSizeFromTheHeaderAndDecodesOnlyTheCropDrawn) {
    const std::string data = jpegOf(fixtures::quadrantSurface(64, 48));
    CxImage image;
    ASSERT_TRUE(image.Decode(data, CXIMAGE_FORMAT_JPG, CXIMAGE_DECODE_WHEN_DRAWN));
    EXPECT_TRUE(image.IsValid());
    EXPECT_FALSE(image.surface().isValid());
    EXPECT_EQ(64, image.GetWidth());
    // The right half of the bottom half: all white.
    ASSERT_TRUE(image.Crop(32, 24, 64, 48));
    EXPECT_EQ(32, image.GetWidth());
    EXPECT_EQ(24, image.GetHeight());
    // Crops add up, as they do on decoded pixels.
    ASSERT_TRUE(image.Crop(8, 0, 100, 16));
    EXPECT_EQ(24, image.GetWidth());
    EXPECT_EQ(16, image.GetHeight());
    DrawingSurface target = fixtures::solidSurface(40, 30, 0x000000);
    ASSERT_TRUE(image.Draw(&target, 10, 5)) << image.GetLastError();
    EXPECT_TRUE(near(rgbAt(target, 12, 7), 0xFFFFFF));
    EXPECT_TRUE(near(rgbAt(target, 33, 20), 0xFFFFFF));
    EXPECT_EQ(0u, rgbAt(target, 9, 7));
    EXPECT_EQ(0u, rgbAt(target, 34, 7));
    EXPECT_EQ(0u, rgbAt(target, 12, 21));
    DrawingSurface bitmap = image.MakeBitmap();
    EXPECT_EQ(24, bitmap.width());
    EXPECT_TRUE(near(rgbAt(bitmap, 2, 2), 0xFFFFFF));
}

TEST(CxImageDecodedWhenDrawn, DamagedDataFailsTheDrawWithTheDecodersMessage) {
    const std::string good = jpegOf(fixtures::quadrantSurface(256, 256));
    CxImage image;
    ASSERT_TRUE(image.Decode(good.substr(0, good.size() / 2), CXIMAGE_FORMAT_JPG,
                             CXIMAGE_DECODE_WHEN_DRAWN));
    DrawingSurface target = fixtures::solidSurface(256, 256, 0x000000);
    EXPECT_FALSE(image.Draw(&target));
    EXPECT_NE(std::string::npos, image.GetLastError().find("remature end")) << image.GetLastError();
    // A header that is no JPEG fails at once, as a load decoded now does.
    EXPECT_FALSE(image.Decode("not a picture", CXIMAGE_FORMAT_JPG, CXIMAGE_DECODE_WHEN_DRAWN));
    EXPECT_FALSE(image.IsValid());
    EXPECT_NE(std::string::npos, image.GetLastError().find("Not a JPEG file"));
    EXPECT_FALSE(image.Decode(good, CXIMAGE_FORMAT_PNG, CXIMAGE_DECODE_WHEN_DRAWN));
    EXPECT_EQ("Decode: Unknown or wrong format", image.GetLastError());
}

TEST(CxImageResources, ReadsFromAPackAndReportsAMissingResource) {
    testing_support::TempFolder folder;
    const std::string csPack = folder.file("p.wxs");
    fixtures::writePack(csPack, fixtures::completeManifest(5),
                        {{101, jpegOf(fixtures::solidSurface(8, 8, 0x00FF00))}});
    std::string csError;
    const auto pArchive = PackArchive::open(csPack, csError);
    ASSERT_NE(nullptr, pArchive) << csError;

    CxImage image;
    const PackResource found = findResource(pArchive.get(), "#101", "JPEG");
    ASSERT_TRUE(found);
    EXPECT_TRUE(image.LoadResource(found, CXIMAGE_FORMAT_JPG, pArchive.get()));
    EXPECT_EQ(8, image.GetWidth());

    EXPECT_FALSE(image.LoadResource(findResource(pArchive.get(), "#102", "JPEG"),
                                    CXIMAGE_FORMAT_JPG, pArchive.get()));
    EXPECT_EQ("Unable to load resource!", image.GetLastError());
    EXPECT_FALSE(image.IsValid());
    EXPECT_FALSE(image.LoadResource(found, CXIMAGE_FORMAT_JPG, nullptr));
    EXPECT_EQ("Unable to load resource!", image.GetLastError());
}

} // namespace
