#pragma once

#include <cstddef>
#include <string>

namespace hostile {

// A progressive JPEG file written marker by marker, the way an attacker
// would: a header claiming any size, then scans that carry no data at all.
// With Huffman coding each empty scan is damaged data; with arithmetic
// coding an empty scan is allowed and decodes as zeros, costing a pass over
// the whole picture all the same.
struct ProgressiveJpeg {
    int nWidth = 8192;
    int nHeight = 8192;
    // 1 grey, 3 YCbCr (4:2:0) or 4 CMYK (Adobe).
    int nComponents = 3;
    bool bArithmetic = false;
    // The DC scan first, then spectral and successive-approximation AC
    // scans in a valid order.
    int nScans = 499;
    // Comment segments fill the file up to this size (0: none).
    std::size_t nPadTo = 0;

    std::string bytes() const;
};

} // namespace hostile
