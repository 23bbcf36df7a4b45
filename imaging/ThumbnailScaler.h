#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// A picture as plain pixels, row after row from the top, each 0x00RRGGBB
// (the top byte is ignored on input and 0 on output).
struct PixelBuffer {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;

    std::uint32_t at(int x, int y) const {
        return pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

// The size every thumbnail of the picker has.
inline constexpr int kThumbnailWidth = 120;
inline constexpr int kThumbnailHeight = 90;

// Largest source side the scaler takes (sides are 16-bit quantities).
inline constexpr int kMaxScalerSide = 65535;

// Scales source to nWidth x nHeight by area weights in units of 1/4096 per
// axis: shrinking averages every source pixel into the one or two target
// pixels it covers, enlarging mixes the one or two source pixels each target
// pixel covers. Each channel sums weight products in units of 1/2^24 and is
// truncated, so a flat colour may come out one level darker. A source that
// must shrink along one axis and grow along the other is not scaled
// (nullopt); neither is an empty or oversized one. Row order does not
// matter: the weights are the same read from either end.
std::optional<PixelBuffer> scaleBitmap(const PixelBuffer& source, int nWidth, int nHeight);

// What the picker shows for a picture of any size: scaleBitmap to the
// thumbnail size where that works; a picture that would shrink one way and
// grow the other is shrunk with its proportions kept and centred on black
// instead, so that every picture gets a thumbnail. nullopt only for an
// empty or oversized source.
std::optional<PixelBuffer> makeThumbnail(const PixelBuffer& source);
