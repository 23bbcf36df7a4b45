#include "imaging/JpegDecoder.h"

#include "SurfacePixels.h"
#include "TestJpegs.h"
#include "imaging/JpegPartPlan.h"

#include <gtest/gtest.h>

namespace {

using test_jpegs::detailed;
using test_jpegs::encode;
using test_jpegs::Encoding;
using test_jpegs::meanDifference;

constexpr std::uint32_t SENTINEL = 0x123456;

const std::uint8_t* bytes(const std::string& data) {
    return reinterpret_cast<const std::uint8_t*>(data.data());
}

DrawingSurface filled(int w, int h, std::uint32_t rgb) {
    DrawingSurface surface = DrawingSurface::create(w, h);
    surface.fill(rgb);
    return surface;
}

DrawingSurface decodeWhole(const std::string& data) {
    JpegDecodeResult result = decodeJpeg(bytes(data), data.size());
    EXPECT_TRUE(result.ok()) << result.csError;
    return std::move(result.surface);
}

// True when every pixel outside rect still holds the sentinel.
bool untouchedOutside(const DrawingSurface& surface, const Rect& rect) {
    for (int y = 0; y < surface.height(); ++y) {
        for (int x = 0; x < surface.width(); ++x) {
            const bool bInside =
                x >= rect.left && x < rect.right && y >= rect.top && y < rect.bottom;
            if (!bInside && pixelAt(surface, x, y) != SENTINEL) {
                return false;
            }
        }
    }
    return true;
}

TEST(JpegPartPlan, DecodesAtTheSmallestScaleThatStillCoversThePlace) {
    JpegPartPlan plan;
    const auto scaleFor = [&plan](int w, int h, int cx, int cy) {
        EXPECT_TRUE(plan.make(Rect{0, 0, w, h}, Rect{0, 0, w, h}, Rect{0, 0, 4000, 4000},
                              Rect{0, 0, cx, cy}));
        return plan.nScale;
    };
    EXPECT_EQ(scaleFor(3840, 2160, 1728, 972), 2);
    EXPECT_EQ(scaleFor(2560, 1440, 1728, 972), 1);
    EXPECT_EQ(scaleFor(1600, 1200, 720, 540), 2);
    EXPECT_EQ(scaleFor(1920, 1080, 120, 90), 8);
    EXPECT_EQ(scaleFor(1920, 1080, 1920, 1080), 1);
    // Drawn larger than the picture: no scaling down, stretched instead.
    EXPECT_EQ(scaleFor(100, 100, 300, 300), 1);
    // A portrait photo shrunk by height: the width decides nothing.
    EXPECT_EQ(scaleFor(600, 800, 513, 684), 1);
}

TEST(JpegPartPlan, NeedsOnlyTheRowsAndColumnsTheTargetShows) {
    JpegPartPlan plan;
    // A 2560 x 1440 photo cropped to the middle of a 1920 x 1080 screen.
    ASSERT_TRUE(plan.make(Rect{0, 0, 2560, 1440}, Rect{320, 180, 2240, 1260},
                          Rect{0, 0, 1920, 1080}, Rect{0, 0, 1920, 1080}));
    EXPECT_TRUE(plan.bSameWidth && plan.bSameHeight);
    EXPECT_EQ(plan.nFirstColumn, 320);
    EXPECT_EQ(plan.nEndColumn, 2240);
    EXPECT_EQ(plan.nFirstRow, 180);
    EXPECT_EQ(plan.nEndRow, 1260);
    // Placed half off a small target: only what lands on it.
    ASSERT_TRUE(plan.make(Rect{0, 0, 400, 400}, Rect{0, 0, 400, 400}, Rect{0, 0, 100, 100},
                          Rect{-50, -20, 150, 180}));
    EXPECT_EQ(plan.nScale, 2);
    EXPECT_EQ(plan.visible, (Rect{0, 0, 100, 100}));
    EXPECT_EQ(plan.nFirstColumn, 50);
    EXPECT_EQ(plan.nEndColumn, 150);
    EXPECT_EQ(plan.nFirstRow, 20);
    EXPECT_EQ(plan.nEndRow, 120);
    EXPECT_FALSE(
        plan.make(Rect{0, 0, 10, 10}, Rect{20, 20, 30, 30}, Rect{0, 0, 5, 5}, Rect{0, 0, 5, 5}));
}

class JpegParts : public ::testing::Test {
protected:
    void SetUp() override {
        m_picture = detailed(320, 240);
        m_data = encode(m_picture, Encoding{});
        m_whole = decodeWhole(m_data);
        ASSERT_TRUE(m_decoder.open(bytes(m_data), m_data.size())) << m_decoder.error();
    }

    // Decodes source at its own size into a sentinel target at (x, y) and
    // checks it against the whole picture decoded.
    void expectPartAt(const Rect& source, int x, int y) {
        DrawingSurface target = filled(300, 220, SENTINEL);
        const Rect placed{x, y, x + source.width(), y + source.height()};
        ASSERT_TRUE(m_decoder.decode(source, target, placed)) << m_decoder.error();
        EXPECT_TRUE(untouchedOutside(target, placed));
        // Away from the part's left and right edges the pixels are the whole
        // picture's; at them, libjpeg's smooth chroma upsampling sees an edge.
        EXPECT_LT(meanDifference(m_whole, target, source.left - x, source.top - y, x + 1, y,
                                 placed.right - 1, placed.bottom),
                  0.01);
        EXPECT_LT(meanDifference(m_whole, target, source.left - x, source.top - y, x, y,
                                 placed.right, placed.bottom),
                  1.0);
    }

    DrawingSurface m_picture;
    std::string m_data;
    DrawingSurface m_whole;
    JpegDecoder m_decoder;
};

TEST_F(JpegParts, AWindowDecodesStraightIntoItsPlace) {
    EXPECT_EQ(m_decoder.width(), 320);
    EXPECT_EQ(m_decoder.height(), 240);
    // Starting on a 16-pixel column, rows go straight into the target.
    expectPartAt(Rect{48, 30, 288, 190}, 10, 20);
    // Starting elsewhere, through a row buffer; and again from one decoder.
    expectPartAt(Rect{37, 3, 237, 203}, 0, 7);
    expectPartAt(Rect{0, 0, 300, 220}, 0, 0);
}

TEST_F(JpegParts, AShrunkPictureIsNearTheWholeOneShrunkNearestNeighbour) {
    // Quarter size: decoded at 1/4 by libjpeg, no stretching left to do.
    DrawingSurface target = filled(200, 100, SENTINEL);
    const Rect placed{20, 10, 100, 70};
    ASSERT_TRUE(m_decoder.decode(Rect{0, 0, 320, 240}, target, placed)) << m_decoder.error();
    EXPECT_TRUE(untouchedOutside(target, placed));
    DrawingSurface reference = filled(200, 100, SENTINEL);
    const DrawingSurface& whole = m_whole;
    for (int y = placed.top; y < placed.bottom; ++y) {
        for (int x = placed.left; x < placed.right; ++x) {
            reference.row(y)[x] = whole.row((y - placed.top) * 4)[(x - placed.left) * 4];
        }
    }
    reference.markDirty();
    // The DCT-scaled decode averages each 4 x 4 block where the full one
    // picks a pixel: the fine pattern differs, the picture does not.
    EXPECT_LT(meanDifference(reference, target, 0, 0, placed.left, placed.top, placed.right,
                             placed.bottom),
              40.0);
    EXPECT_TRUE(test_jpegs::near(pixelAt(target, placed.left, placed.top),
                                 pixelAt(reference, placed.left, placed.top), 80));
}

TEST_F(JpegParts, StretchingAndPlacesOffTheTargetWriteOnlyWhatIsShown) {
    DrawingSurface target = filled(100, 80, SENTINEL);
    // Twice the size, half of it off the target's top-left corner.
    ASSERT_TRUE(m_decoder.decode(Rect{0, 0, 100, 100}, target, Rect{-60, -40, 140, 160}));
    for (int y = 0; y < 80; ++y) {
        for (int x = 0; x < 100; ++x) {
            // Nearest neighbour: every target pixel repeats one picture pixel
            // (within the chroma smoothing at the decoded part's edges).
            ASSERT_TRUE(test_jpegs::near(pixelAt(target, x, y),
                                         pixelAt(m_whole, (x + 60) / 2, (y + 40) / 2), 12))
                << x << "," << y;
        }
    }
    // Nothing of it on the target at all: nothing to do, and nothing done.
    DrawingSurface elsewhere = filled(10, 10, SENTINEL);
    EXPECT_TRUE(m_decoder.decode(Rect{0, 0, 100, 100}, elsewhere, Rect{20, 20, 60, 60}));
    EXPECT_TRUE(untouchedOutside(elsewhere, Rect{}));
}

TEST(JpegDecoding, GreyCmykArithmeticAndProgressiveFilesDecodeWholeAndInParts) {
    const DrawingSurface picture = detailed(160, 120);
    const std::vector<std::pair<const char*, Encoding>> kinds{
        {"grey", Encoding{92, false, false, true, false}},
        {"cmyk", Encoding{92, false, false, false, true}},
        {"progressive", Encoding{92, true, false, false, false}},
        {"arithmetic progressive", Encoding{92, true, true, false, false}},
    };
    const DrawingSurface baseline = decodeWhole(encode(picture, Encoding{}));
    for (const auto& [pName, encoding] : kinds) {
        SCOPED_TRACE(pName);
        const std::string data = encode(picture, encoding);
        const DrawingSurface whole = decodeWhole(data);
        ASSERT_TRUE(whole.isValid());
        // Grey keeps only the green channel. Inside a square of the pattern,
        // away from the ringing at its edges:
        const std::uint32_t expected = encoding.bGrey
                                           ? ((pixelAt(picture, 81, 63) >> 8) & 0xFF) * 0x010101
                                           : pixelAt(picture, 81, 63);
        EXPECT_TRUE(test_jpegs::near(pixelAt(whole, 81, 63), expected, 24))
            << std::hex << pixelAt(whole, 81, 63) << " " << expected;

        JpegDecoder decoder;
        ASSERT_TRUE(decoder.open(bytes(data), data.size())) << decoder.error();
        DrawingSurface part = filled(100, 100, SENTINEL);
        ASSERT_TRUE(decoder.decode(Rect{40, 30, 120, 90}, part, Rect{5, 5, 85, 65}));
        EXPECT_LT(meanDifference(whole, part, 35, 25, 6, 5, 84, 65), 1.0);
        EXPECT_TRUE(untouchedOutside(part, Rect{5, 5, 85, 65}));
        DrawingSurface small = filled(40, 30, SENTINEL);
        ASSERT_TRUE(decoder.decode(Rect{0, 0, 160, 120}, small, Rect{0, 0, 40, 30}));
        EXPECT_TRUE(test_jpegs::near(pixelAt(small, 20, 15), pixelAt(whole, 80, 60), 60));
    }
}

TEST(JpegDecoding, DamagedDataFailsOnlyWhereItIsDecoded) {
    const std::string data = encode(detailed(256, 256), Encoding{});
    const std::string truncated = data.substr(0, data.size() * 2 / 3);
    JpegDecodeResult whole = decodeJpeg(bytes(truncated), truncated.size());
    EXPECT_FALSE(whole.ok());
    EXPECT_NE(whole.csError.find("remature end"), std::string::npos) << whole.csError;

    JpegDecoder decoder;
    ASSERT_TRUE(decoder.open(bytes(truncated), truncated.size())) << decoder.error();
    DrawingSurface target = filled(256, 256, SENTINEL);
    // The top third is all there: a crop of it never reads the missing end.
    EXPECT_TRUE(decoder.decode(Rect{0, 0, 256, 64}, target, Rect{0, 0, 256, 64}))
        << decoder.error();
    EXPECT_FALSE(decoder.decode(Rect{0, 0, 256, 256}, target, Rect{0, 0, 256, 256}));
    EXPECT_NE(decoder.error().find("remature end"), std::string::npos) << decoder.error();
}

TEST(JpegDecoding, RefusesWhatItCannotDecode) {
    JpegDecoder decoder;
    DrawingSurface target = filled(4, 4, SENTINEL);
    EXPECT_FALSE(decoder.decode(Rect{0, 0, 4, 4}, target, Rect{0, 0, 4, 4}));
    EXPECT_FALSE(decoder.open(nullptr, 0));
    EXPECT_EQ(decoder.error(), "Decode: empty input");
    const std::string notJpeg = "GIF89a and more";
    EXPECT_FALSE(decoder.open(bytes(notJpeg), notJpeg.size()));
    EXPECT_NE(decoder.error().find("Not a JPEG file"), std::string::npos);
    EXPECT_FALSE(decoder.isOpen());
    EXPECT_EQ(decoder.width(), 0);

    const std::string data = encode(detailed(16, 16), Encoding{});
    ASSERT_TRUE(decoder.open(bytes(data), data.size()));
    EXPECT_FALSE(decoder.decode(Rect{20, 20, 30, 30}, target, Rect{0, 0, 4, 4}));
    DrawingSurface mask = DrawingSurface::create(4, 4, CAIRO_FORMAT_A8);
    EXPECT_FALSE(decoder.decode(Rect{0, 0, 16, 16}, mask, Rect{0, 0, 4, 4}));
    EXPECT_TRUE(untouchedOutside(target, Rect{}));
}

} // namespace
