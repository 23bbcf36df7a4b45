#include "imaging/ThumbnailScaler.h"

#include "imaging/JpegDecoder.h"
#include "slideshow/PackFixtures.h"

#include <cairo.h>
#include <gtest/gtest.h>
#include <random>
#include <utility>

namespace {

PixelBuffer picture(int nWidth, int nHeight, std::vector<std::uint32_t> pixels) {
    return {nWidth, nHeight, std::move(pixels)};
}

PixelBuffer flat(int nWidth, int nHeight, std::uint32_t rgb) {
    return {nWidth, nHeight,
            std::vector<std::uint32_t>(static_cast<std::size_t>(nWidth) * nHeight, rgb)};
}

// The same weights worked out another way: straight from the overlap of a
// source pixel's interval with a target pixel's on a common grid where a
// source pixel is `target count` wide and a target pixel `source count`
// wide, with no walk and no running state; each weight truncated to 1/4096
// of a target pixel, their products summed and cut to a byte.
std::uint64_t overlapWeight(int nSource, int nTarget, int s, int t) {
    const long long sLow = static_cast<long long>(s) * nTarget;
    const long long sHigh = sLow + nTarget;
    const long long tLow = static_cast<long long>(t) * nSource;
    const long long tHigh = tLow + nSource;
    const long long overlap = std::min(sHigh, tHigh) - std::max(sLow, tLow);
    return overlap > 0 ? static_cast<std::uint64_t>(overlap) * 4096 / nSource : 0;
}

// Per target pixel, the source pixels that overlap it and their weights.
using AxisWeights = std::vector<std::vector<std::pair<int, std::uint64_t>>>;

AxisWeights axisWeights(int nSource, int nTarget) {
    AxisWeights weights(static_cast<std::size_t>(nTarget));
    for (int t = 0; t < nTarget; ++t) {
        for (int s = 0; s < nSource; ++s) {
            if (const std::uint64_t w = overlapWeight(nSource, nTarget, s, t); w != 0) {
                weights[static_cast<std::size_t>(t)].emplace_back(s, w);
            }
        }
    }
    return weights;
}

PixelBuffer referenceScale(const PixelBuffer& source, int nWidth, int nHeight) {
    const AxisWeights xWeights = axisWeights(source.width, nWidth);
    const AxisWeights yWeights = axisWeights(source.height, nHeight);
    PixelBuffer target = flat(nWidth, nHeight, 0);
    for (int ty = 0; ty < nHeight; ++ty) {
        for (int tx = 0; tx < nWidth; ++tx) {
            std::uint64_t sums[3] = {0, 0, 0};
            for (const auto& [sy, wy] : yWeights[static_cast<std::size_t>(ty)]) {
                for (const auto& [sx, wx] : xWeights[static_cast<std::size_t>(tx)]) {
                    const std::uint32_t rgb = source.at(sx, sy);
                    sums[0] += ((rgb >> 16) & 0xFF) * wx * wy;
                    sums[1] += ((rgb >> 8) & 0xFF) * wx * wy;
                    sums[2] += (rgb & 0xFF) * wx * wy;
                }
            }
            target.pixels[static_cast<std::size_t>(ty) * nWidth + tx] = static_cast<std::uint32_t>(
                (sums[0] >> 24) << 16 | (sums[1] >> 24) << 8 | (sums[2] >> 24));
        }
    }
    return target;
}

// A photo: clouds of noise over a gradient, through a JPEG round trip.
PixelBuffer photo(int nWidth, int nHeight) {
    DrawingSurface surface = fixtures::quadrantSurface(nWidth, nHeight);
    std::mt19937 random(7);
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            const std::uint32_t noise = random() % 64;
            surface.row(y)[x] = (surface.row(y)[x] & 0xFFFFFF) ^
                                (noise << 16 | noise << 8 | noise) ^
                                static_cast<std::uint32_t>((x * 255) / nWidth);
        }
    }
    surface.markDirty();
    const std::string jpeg = fixtures::jpegOf(surface, 80);
    const JpegDecodeResult decoded =
        decodeJpeg(reinterpret_cast<const std::uint8_t*>(jpeg.data()), jpeg.size());
    PixelBuffer result = flat(nWidth, nHeight, 0);
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            result.pixels[static_cast<std::size_t>(y) * nWidth + x] =
                decoded.surface.row(y)[x] & 0xFFFFFF;
        }
    }
    return result;
}

TEST(ThumbnailScaler, HandWorkedShrinkingAveragesAreas) {
    // 2 x 2 -> 1 x 1: each pixel weighs 2048 x 2048, the mean truncated.
    const auto one = scaleBitmap(picture(2, 2, {0x0A0B0C, 0x141516, 0x1E1F20, 0x292A2B}), 1, 1);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->pixels, std::vector<std::uint32_t>{0x191A1B});
    // 3 -> 2 across: weights 2730 + 1365 | 1365 + 2730 (4095 each, so a
    // full 255 comes out 254).
    const auto across = scaleBitmap(picture(3, 1, {0xFF0000, 0xFF0030, 0xFF0060}), 2, 1);
    ASSERT_TRUE(across);
    EXPECT_EQ(across->pixels, (std::vector<std::uint32_t>{0xFE000F, 0xFE004F}));
    // 3 -> 2 down: the same weights on rows.
    const auto down = scaleBitmap(picture(1, 3, {0x00FF00, 0x00FF30, 0x00FF60}), 1, 2);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->pixels, (std::vector<std::uint32_t>{0x00FE0F, 0x00FE4F}));
}

TEST(ThumbnailScaler, HandWorkedEnlargingMixesNeighbours) {
    // 2 -> 3 across: the middle pixel is half of each.
    const auto across = scaleBitmap(picture(2, 1, {0x000000, 0xC86432}), 3, 1);
    ASSERT_TRUE(across);
    EXPECT_EQ(across->pixels, (std::vector<std::uint32_t>{0x000000, 0x643219, 0xC86432}));
    const auto down = scaleBitmap(picture(1, 2, {0x102030, 0x3040FF}), 1, 3);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->pixels, (std::vector<std::uint32_t>{0x102030, 0x203097, 0x3040FF}));
    // 2 x 2 -> 3 x 3: the centre mixes all four equally.
    const auto both = scaleBitmap(picture(2, 2, {0x000000, 0x400000, 0x000040, 0x404040}), 3, 3);
    ASSERT_TRUE(both);
    EXPECT_EQ(both->at(1, 1), 0x201020u);
    EXPECT_EQ(both->at(2, 2), 0x404040u);
}

TEST(ThumbnailScaler, OddThumbnailSourceLosesALevelToTruncatedWeights) {
    // 121 x 91 -> 120 x 90: the corner takes 4062 + 33 of 4096 per axis,
    // so a white source gives 255 * 4095 * 4095 / 2^24 = 254.
    const auto scaled = scaleBitmap(flat(121, 91, 0xFFFFFF), 120, 90);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->width, 120);
    EXPECT_EQ(scaled->height, 90);
    EXPECT_EQ(scaled->at(0, 0), 0xFEFEFEu);
    EXPECT_EQ(scaled->at(119, 89), 0xFEFEFEu);
    for (const std::uint32_t rgb : scaled->pixels) {
        ASSERT_GE(rgb & 0xFF, 0xFDu);
    }
}

TEST(ThumbnailScaler, EqualSizeIsAnExactCopy) {
    const PixelBuffer source = photo(120, 90);
    const auto scaled = scaleBitmap(source, 120, 90);
    ASSERT_TRUE(scaled);
    EXPECT_EQ(scaled->pixels, source.pixels);
}

TEST(ThumbnailScaler, PhotosMatchTheOverlapReferenceExactly) {
    for (const auto& [w, h, W, H] :
         {std::tuple{643, 479, 120, 90}, std::tuple{241, 181, 120, 90}, std::tuple{97, 71, 120, 90},
          std::tuple{120, 61, 120, 90}, std::tuple{300, 90, 120, 90}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const PixelBuffer source = photo(w, h);
        const auto scaled = scaleBitmap(source, W, H);
        ASSERT_TRUE(scaled);
        EXPECT_EQ(scaled->pixels, referenceScale(source, W, H).pixels);
    }
}

TEST(ThumbnailScaler, RefusesWhatItCannotScale) {
    // One way down, the other way up.
    EXPECT_FALSE(scaleBitmap(flat(200, 50, 0), 120, 90));
    EXPECT_FALSE(scaleBitmap(flat(60, 200, 0), 120, 90));
    EXPECT_FALSE(scaleBitmap(flat(0, 0, 0), 120, 90));
    EXPECT_FALSE(scaleBitmap(picture(4, 4, {1, 2, 3}), 120, 90)) << "too few pixels";
    EXPECT_FALSE(scaleBitmap(flat(1, 1, 0), 0, 90));
}

TEST(ThumbnailScaler, LongSidesStillFinishEveryTargetPixel) {
    // On a 4999-pixel side one straddling weight truncates to 0; the walk
    // must still move on to the next target pixel there, or every later
    // column lands one to the left and the last stays black.
    const auto scaled = scaleBitmap(flat(4999, 2, 0x808080), 120, 2);
    ASSERT_TRUE(scaled);
    for (const std::uint32_t rgb : scaled->pixels) {
        ASSERT_GE(rgb & 0xFF, 0x7Du);
    }
}

TEST(ThumbnailScaler, EveryPictureGetsAThumbnailOfTheListSize) {
    // A wide strip keeps its proportions: shrunk to 120 x 30, centred on black.
    const auto strip = makeThumbnail(flat(200, 50, 0xFFFFFF));
    ASSERT_TRUE(strip);
    EXPECT_EQ(strip->width, 120);
    EXPECT_EQ(strip->height, 90);
    EXPECT_EQ(strip->at(60, 0), 0u);
    EXPECT_GT(strip->at(60, 45) & 0xFF, 0xF0u);
    EXPECT_GT(strip->at(0, 30) & 0xFF, 0xF0u);
    EXPECT_EQ(strip->at(0, 29), 0u);
    EXPECT_EQ(strip->at(60, 89), 0u);
    // A tall one likewise, 54 x 90.
    const auto tall = makeThumbnail(flat(60, 100, 0xFFFFFF));
    ASSERT_TRUE(tall);
    EXPECT_EQ(tall->at(0, 45), 0u);
    EXPECT_GT(tall->at(60, 0) & 0xFF, 0xF0u);
    EXPECT_GT(tall->at(33, 0) & 0xFF, 0xF0u);
    EXPECT_EQ(tall->at(32, 0), 0u);
    // Everything else is the plain scaling.
    const PixelBuffer source = photo(200, 150);
    EXPECT_EQ(makeThumbnail(source)->pixels, scaleBitmap(source, 120, 90)->pixels);
    EXPECT_FALSE(makeThumbnail(flat(0, 5, 0)));
}

} // namespace
