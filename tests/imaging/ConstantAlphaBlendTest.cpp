#include "imaging/ConstantAlphaBlend.h"

#include "SurfacePixels.h"

#include <gtest/gtest.h>

namespace {

DrawingSurface filled(int w, int h, std::uint32_t rgb) {
    DrawingSurface surface = DrawingSurface::create(w, h);
    surface.fill(rgb);
    return surface;
}

std::uint32_t channel(std::uint32_t pixel, int shift) {
    return (pixel >> shift) & 0xFF;
}

TEST(ConstantAlphaBlend, MatchesTheWeightedMeanForEveryAlpha) {
    const std::uint32_t oldColour = 0x10F080;
    const std::uint32_t newColour = 0xE0207F;
    for (int alpha = 0; alpha <= 255; ++alpha) {
        DrawingSurface target = filled(3, 2, oldColour);
        const DrawingSurface source = filled(3, 2, newColour);
        ASSERT_TRUE(blendConstantAlpha(target, source, alpha));
        const std::uint32_t pixel = pixelAt(target, 2, 1);
        for (const int shift : {0, 8, 16}) {
            const double expected =
                (channel(newColour, shift) * alpha + channel(oldColour, shift) * (255 - alpha)) /
                255.0;
            EXPECT_NEAR(channel(pixel, shift), expected, 1.0)
                << "alpha " << alpha << " shift " << shift;
        }
    }
}

TEST(ConstantAlphaBlend, WritesIntoAThirdSurfaceWhatItWouldWriteInPlace) {
    const DrawingSurface below = filled(7, 3, 0x10F080);
    const DrawingSurface above = filled(7, 3, 0xE0207F);
    for (const int alpha : {0, 1, 77, 254, 255}) {
        DrawingSurface target = filled(7, 3, 0x000000);
        ASSERT_TRUE(blendConstantAlpha(target, below, above, alpha));
        DrawingSurface inPlace = filled(7, 3, 0x10F080);
        ASSERT_TRUE(blendConstantAlpha(inPlace, above, alpha));
        EXPECT_EQ(pixelAt(target, 6, 2), pixelAt(inPlace, 6, 2)) << "alpha " << alpha;
        EXPECT_EQ(pixelAt(below, 6, 2), 0x10F080u);
        EXPECT_EQ(pixelAt(above, 0, 0), 0xE0207Fu);
    }
    // Of different sizes, the area all three cover.
    DrawingSurface target = filled(6, 6, 0x000000);
    ASSERT_TRUE(blendConstantAlpha(target, filled(4, 8, 0xFFFFFF), filled(8, 5, 0xFFFFFF), 128));
    EXPECT_EQ(inkBounds(target, 0), (Rect{0, 0, 4, 5}));
}

TEST(ConstantAlphaBlend, FiftyOneCumulativeStepsLeaveATraceThatFullAlphaRemoves) {
    DrawingSurface target = filled(4, 4, 0xFFFFFF);
    const DrawingSurface source = filled(4, 4, 0x000000);
    for (int alpha = 0; alpha <= 50; ++alpha) {
        ASSERT_TRUE(blendConstantAlpha(target, source, alpha));
    }
    const std::uint32_t remaining = channel(pixelAt(target, 0, 0), 0);
    EXPECT_GT(remaining, 0u);
    EXPECT_LT(remaining, 6u); // about half a percent of 255
    ASSERT_TRUE(blendConstantAlpha(target, source, 255));
    EXPECT_EQ(pixelAt(target, 3, 3), 0u);
}

TEST(ConstantAlphaBlend, IgnoresTheSourcesOwnAlpha) {
    DrawingSurface target = filled(2, 2, 0x000000);
    DrawingSurface source = DrawingSurface::create(2, 2, CAIRO_FORMAT_ARGB32);
    source.flush();
    for (int y = 0; y < 2; ++y) {
        source.row(y)[0] = 0x00C8C8C8u; // colour without alpha
        source.row(y)[1] = 0xFFC8C8C8u;
    }
    source.markDirty();
    ASSERT_TRUE(blendConstantAlpha(target, source, 128));
    EXPECT_EQ(pixelAt(target, 0, 0), pixelAt(target, 1, 0));
    EXPECT_NEAR(channel(pixelAt(target, 0, 1), 8), 100, 1);
}

TEST(ConstantAlphaBlend, WorksOnTheCommonAreaOnly) {
    DrawingSurface target = filled(6, 6, 0x000000);
    const DrawingSurface source = filled(3, 8, 0xFFFFFF);
    ASSERT_TRUE(blendConstantAlpha(target, source, 255));
    EXPECT_EQ(inkBounds(target, 0), (Rect{0, 0, 3, 6}));
}

TEST(ConstantAlphaBlend, RefusesBadArgumentsAndChangesNothing) {
    DrawingSurface target = filled(2, 2, 0x123456);
    const DrawingSurface source = filled(2, 2, 0xFFFFFF);
    EXPECT_FALSE(blendConstantAlpha(target, source, -1));
    EXPECT_FALSE(blendConstantAlpha(target, source, 256));
    EXPECT_FALSE(blendConstantAlpha(target, DrawingSurface(), 100));
    DrawingSurface none;
    EXPECT_FALSE(blendConstantAlpha(none, source, 100));
    const DrawingSurface mask = DrawingSurface::create(2, 2, CAIRO_FORMAT_A8);
    EXPECT_FALSE(blendConstantAlpha(target, mask, 100));
    EXPECT_EQ(pixelAt(target, 1, 1), 0x123456u);
}

} // namespace
