#include "imaging/JpegPartPlan.h"

#include <algorithm>
#include <cstdint>

namespace {

// The scales libjpeg decodes with SIMD, largest reduction first. The
// others (3/8 to 7/8) are slower than decoding at 1/1 and shrinking.
constexpr int kScales[] = {8, 4, 2};

int divideRoundingUp(int n, int nDivisor) {
    return (n + nDivisor - 1) / nDivisor;
}

// Position of a target pixel within placed, mapped onto nSourceSpan.
int nearest(int nOffset, int nSourceSpan, int nPlacedSpan) {
    return static_cast<int>(std::int64_t{nOffset} * nSourceSpan / nPlacedSpan);
}

} // namespace

Rect scaledJpegPart(const Rect& source, int nScale) {
    return Rect{source.left / nScale, source.top / nScale, divideRoundingUp(source.right, nScale),
                divideRoundingUp(source.bottom, nScale)};
}

int coveringJpegScale(const Rect& source, int nWidth, int nHeight) {
    for (const int nCandidate : kScales) {
        const Rect scaled = scaledJpegPart(source, nCandidate);
        if (scaled.width() >= nWidth && scaled.height() >= nHeight) {
            return nCandidate;
        }
    }
    return 1;
}

bool JpegPartPlan::make(const Rect& picture, const Rect& source, const Rect& bounds,
                        const Rect& placedRect) {
    const Rect clamped{std::max(source.left, picture.left), std::max(source.top, picture.top),
                       std::min(source.right, picture.right),
                       std::min(source.bottom, picture.bottom)};
    if (clamped.isEmpty() || placedRect.isEmpty()) {
        return false;
    }
    placed = placedRect;
    nScale = coveringJpegScale(clamped, placed.width(), placed.height());
    part = scaledJpegPart(clamped, nScale);
    bSameWidth = part.width() == placed.width();
    bSameHeight = part.height() == placed.height();
    visible = Rect{std::max(placed.left, bounds.left), std::max(placed.top, bounds.top),
                   std::min(placed.right, bounds.right), std::min(placed.bottom, bounds.bottom)};
    columns.clear();
    nDecodedOffset = 0;
    if (visible.isEmpty()) {
        return true;
    }
    nFirstColumn = part.left + nearest(visible.left - placed.left, part.width(), placed.width());
    nEndColumn =
        part.left + nearest(visible.right - 1 - placed.left, part.width(), placed.width()) + 1;
    nFirstRow = sourceRow(visible.top);
    nEndRow = sourceRow(visible.bottom - 1) + 1;
    if (!bSameWidth) {
        columns.resize(static_cast<std::size_t>(visible.width()));
        for (int i = 0; i < visible.width(); ++i) {
            columns[static_cast<std::size_t>(i)] =
                part.left + nearest(visible.left + i - placed.left, part.width(), placed.width());
        }
    }
    nDecodedOffset = nFirstColumn;
    return true;
}

int JpegPartPlan::sourceRow(int y) const {
    return part.top + nearest(y - placed.top, part.height(), placed.height());
}
