#pragma once

#include "imaging/Rect.h"

#include <vector>

// The largest of libjpeg's fast reductions (1/8, 1/4, 1/2) at which source
// still covers nWidth x nHeight, as the divisor (8, 4, 2), or 1 when none does.
int coveringJpegScale(const Rect& source, int nWidth, int nHeight);

// The source part as libjpeg's picture at 1/nScale of the size has it.
Rect scaledJpegPart(const Rect& source, int nScale);

// The geometry of one partial decode: at which of libjpeg's scales to decode
// (1/1, 1/2, 1/4, 1/8), which rows and columns of the scaled picture are
// needed, and which of them each target pixel shows (nearest neighbour).
struct JpegPartPlan {
    // picture: the whole picture (origin 0, 0); source: the part wanted,
    // clamped to the picture; bounds: the target surface; placed: where the
    // part goes. False when the clamped source or placed is empty.
    bool make(const Rect& picture, const Rect& source, const Rect& bounds, const Rect& placedRect);

    // Index, within a decoded row that starts at nDecodedOffset, of the
    // column shown at target column visible.left + i.
    int sourceColumn(int i) const {
        return bSameWidth ? nFirstColumn - nDecodedOffset + i
                          : columns[static_cast<std::size_t>(i)] - nDecodedOffset;
    }
    // The scaled row shown on target row y.
    int sourceRow(int y) const;

    int nScale = 1; // decode at 1/nScale of the size
    Rect part;      // the source part in scaled pixels
    Rect placed;    // the whole destination rectangle
    Rect visible;   // the part of placed that lies on the target
    bool bSameWidth = false;
    bool bSameHeight = false;
    int nFirstColumn = 0; // scaled columns needed: [nFirstColumn, nEndColumn)
    int nEndColumn = 0;
    int nFirstRow = 0; // scaled rows needed: [nFirstRow, nEndRow)
    int nEndRow = 0;
    // The first scaled column libjpeg decodes: nFirstColumn, or left of it
    // when libjpeg cannot start a row there.
    int nDecodedOffset = 0;
    // The scaled column of each visible target column, when the widths differ.
    std::vector<int> columns;
};
