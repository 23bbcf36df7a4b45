#include "imaging/Compositor.h"

#include "SurfacePixels.h"

#include <gtest/gtest.h>
#include <set>

namespace {

constexpr COLORREF RED = makeColorref(255, 0, 0);
constexpr COLORREF BLUE = makeColorref(0, 0, 255);

// A picture whose every pixel tells where it came from: red = x, green = y.
DrawingSurface coordinatePicture(int w, int h) {
    DrawingSurface picture = DrawingSurface::create(w, h);
    picture.flush();
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            picture.row(y)[x] = 0xFF000000u | ((x & 0xFF) << 16) | ((y & 0xFF) << 8);
        }
    }
    picture.markDirty();
    return picture;
}

TEST(CompositorFill, FillsWholeSurfaceAndRectanglesWithColorrefColours) {
    DrawingSurface frame = DrawingSurface::create(40, 30);
    Compositor compositor(frame);
    ASSERT_TRUE(compositor.isValid());
    EXPECT_TRUE(compositor.fill(RED));
    EXPECT_TRUE(compositor.fillRect(Rect{10, 5, 20, 15}, BLUE));
    compositor.done();
    EXPECT_EQ(pixelAt(frame, 0, 0), 0xFF0000u);
    EXPECT_EQ(pixelAt(frame, 39, 29), 0xFF0000u);
    EXPECT_EQ(inkBounds(frame, 0xFF0000u), (Rect{10, 5, 20, 15}));
    EXPECT_EQ(pixelAt(frame, 10, 5), 0x0000FFu);
    // An empty or inverted rectangle draws nothing.
    EXPECT_TRUE(compositor.fillRect(Rect{30, 20, 25, 25}, BLUE));
    EXPECT_EQ(inkBounds(frame, 0xFF0000u), (Rect{10, 5, 20, 15}));
}

TEST(CompositorCopy, CopiesAtPositionAndClipsAtTheTargetEdges) {
    DrawingSurface frame = DrawingSurface::create(20, 20);
    frame.fill(0);
    DrawingSurface picture = coordinatePicture(8, 6);
    Compositor compositor(frame);
    EXPECT_TRUE(compositor.copy(picture, 3, 4));
    EXPECT_TRUE(compositor.copy(picture, 16, 17)); // partly outside
    compositor.done();
    EXPECT_EQ(pixelAt(frame, 3, 4), 0x000000u);
    EXPECT_EQ(pixelAt(frame, 10, 9), 0x070500u);
    EXPECT_EQ(pixelAt(frame, 11, 9), 0u);
    EXPECT_EQ(pixelAt(frame, 19, 19), 0x030200u);
}

TEST(CompositorCopy, CopiesPartClampedToTheSource) {
    DrawingSurface frame = DrawingSurface::create(20, 20);
    frame.fill(0x123456);
    DrawingSurface picture = coordinatePicture(10, 10);
    Compositor compositor(frame);
    EXPECT_TRUE(compositor.copyPart(picture, Rect{2, 3, 6, 5}, 1, 1));
    compositor.done();
    EXPECT_EQ(inkBounds(frame, 0x123456u), (Rect{1, 1, 5, 3}));
    EXPECT_EQ(pixelAt(frame, 1, 1), 0x020300u);
    EXPECT_EQ(pixelAt(frame, 4, 2), 0x050400u);

    frame.fill(0x123456);
    // Asking for more than the source has copies what exists, where it
    // would have been.
    EXPECT_TRUE(compositor.copyPart(picture, Rect{-2, 8, 3, 14}, 0, 0));
    compositor.done();
    EXPECT_EQ(inkBounds(frame, 0x123456u), (Rect{2, 0, 5, 2}));
    EXPECT_EQ(pixelAt(frame, 2, 0), 0x000800u);
    EXPECT_FALSE(compositor.copyPart(picture, Rect{12, 0, 15, 4}, 0, 0));
}

TEST(CompositorStretch, PicksNearestSourcePixelsWithoutSmoothing) {
    DrawingSurface picture = coordinatePicture(160, 120);
    DrawingSurface frame = DrawingSurface::create(100, 80);
    frame.fill(0xFFFFFF);
    Compositor compositor(frame);
    EXPECT_TRUE(compositor.stretch(picture, 14, 12, 72, 54));
    compositor.done();
    EXPECT_EQ(inkBounds(frame, 0xFFFFFFu), (Rect{14, 12, 86, 66}));
    std::set<std::uint32_t> columnsSeen;
    for (int x = 14; x < 86; ++x) {
        const std::uint32_t pixel = pixelAt(frame, x, 12);
        // Every pixel is one of the source's, never a mixture of two.
        EXPECT_EQ(pixel & 0xFF, 0u);
        columnsSeen.insert(pixel >> 16);
    }
    EXPECT_EQ(columnsSeen.size(), 72u);
    EXPECT_LE(*columnsSeen.begin(), 2u);
    EXPECT_GE(*columnsSeen.rbegin(), 157u);
}

TEST(CompositorStretch, EnlargesByRepeatingPixels) {
    DrawingSurface picture = coordinatePicture(2, 2);
    DrawingSurface frame = DrawingSurface::create(8, 8);
    Compositor compositor(frame);
    EXPECT_TRUE(compositor.stretch(picture, 0, 0, 8, 8));
    compositor.done();
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            EXPECT_EQ(pixelAt(frame, x, y), (static_cast<std::uint32_t>(x / 4) << 16) |
                                                (static_cast<std::uint32_t>(y / 4) << 8));
        }
    }
}

TEST(CompositorAlpha, SourceWithAlphaComposesOverTheTarget) {
    DrawingSurface icon = DrawingSurface::create(4, 4, CAIRO_FORMAT_ARGB32);
    icon.flush();
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            icon.row(y)[x] = x < 2 ? 0xFF00FF00u : 0u; // left half opaque green
        }
    }
    icon.markDirty();
    DrawingSurface frame = DrawingSurface::create(4, 4);
    frame.fill(0x0000FF);
    Compositor compositor(frame);
    EXPECT_TRUE(compositor.copy(icon, 0, 0));
    compositor.done();
    EXPECT_EQ(pixelAt(frame, 1, 1), 0x00FF00u);
    EXPECT_EQ(pixelAt(frame, 3, 1), 0x0000FFu);
}

TEST(CompositorInvalid, RefusesInvalidTargetsSourcesAndSizes) {
    DrawingSurface none;
    Compositor nowhere(none);
    EXPECT_FALSE(nowhere.isValid());
    EXPECT_FALSE(nowhere.fill(RED));
    EXPECT_FALSE(nowhere.copy(coordinatePicture(2, 2), 0, 0));

    DrawingSurface frame = DrawingSurface::create(10, 10);
    frame.fill(0);
    Compositor compositor(frame);
    EXPECT_FALSE(compositor.copy(none, 0, 0));
    EXPECT_FALSE(compositor.stretch(none, 0, 0, 5, 5));
    DrawingSurface picture = coordinatePicture(3, 3);
    EXPECT_FALSE(compositor.stretch(picture, 0, 0, 0, 5));
    EXPECT_FALSE(compositor.stretch(picture, 0, 0, 5, -1));
    DrawingSurface mask = DrawingSurface::create(3, 3, CAIRO_FORMAT_A8);
    EXPECT_FALSE(compositor.copy(mask, 0, 0));
    compositor.done();
    EXPECT_EQ(inkBounds(frame, 0), Rect{});
}

TEST(DrawingSurfaceCopy, CopiesEveryPixelOnlyBetweenSurfacesOfOneSize) {
    const DrawingSurface picture = coordinatePicture(4, 3);
    DrawingSurface target = DrawingSurface::create(4, 3);
    ASSERT_TRUE(target.copyPixelsFrom(picture));
    EXPECT_EQ(pixelAt(target, 3, 2), 0x030200u);
    EXPECT_EQ(pixelAt(target, 0, 0), 0x000000u);

    DrawingSurface wider = DrawingSurface::create(5, 3);
    wider.fill(0x123456);
    EXPECT_FALSE(wider.copyPixelsFrom(picture));
    EXPECT_EQ(inkBounds(wider, 0x123456), Rect{});
    EXPECT_FALSE(target.copyPixelsFrom(DrawingSurface()));
    EXPECT_FALSE(DrawingSurface().copyPixelsFrom(picture));
}

} // namespace
