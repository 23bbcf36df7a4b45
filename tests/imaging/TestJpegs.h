#pragma once

#include "imaging/DrawingSurface.h"

#include <cstdint>
#include <string>

namespace test_jpegs {

// The kinds of file the decoder meets besides the baseline colour JPEG.
struct Encoding {
    int nQuality = 92;
    bool bProgressive = false;
    bool bArithmetic = false;
    // Stored as one grey component (the green channel) or as Adobe CMYK
    // that decodes back to the same colours.
    bool bGrey = false;
    bool bCmyk = false;
};

std::string encode(const DrawingSurface& surface, const Encoding& encoding);

// A picture with detail everywhere: gradients crossed with a fine pattern,
// so that a pixel taken from the wrong place shows.
DrawingSurface detailed(int nWidth, int nHeight);

// Channels within the tolerance of each other.
bool near(std::uint32_t a, std::uint32_t b, int nTolerance);

// Mean absolute difference per channel of b's pixels against a's, with b's
// (x, y) compared to a's (x + dx, y + dy), over b's rectangle area.
double meanDifference(const DrawingSurface& a, const DrawingSurface& b, int dx, int dy, int nLeft,
                      int nTop, int nRight, int nBottom);

} // namespace test_jpegs
