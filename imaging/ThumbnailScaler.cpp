#include "imaging/ThumbnailScaler.h"

#include <algorithm>
#include <utility>

namespace {

constexpr std::uint64_t kUnit = 4096;
constexpr int kShift = 24; // two weights of 1/4096 each

// One step of an axis walk: its weight for the pixel `index` of the other
// side and, where the step straddles a border, its weight for index + 1.
// `completes` says that pixel `index` is finished after this step; the
// straddling weight alone cannot say so, as it truncates to 0 on sides
// longer than 4096 pixels.
struct AxisStep {
    int index = 0;
    std::uint32_t weight = 0;
    std::uint32_t nextWeight = 0;
    bool straddles = false;
    bool completes = false;
};

// Walks nSteps pixels of stepWidth units each over cells of cellWidth units
// (nSteps * stepWidth == cells * cellWidth), keeping the filled part of the
// current cell; weights are the overlaps in 1/4096 of `divisor` units.
// Shrinking steps over the source pixels (a source pixel is m wide, a target
// pixel n wide, for n source and m target pixels); enlarging steps over the
// target pixels (n wide) against the source pixels (m wide). Either way a
// target pixel is n units, so divisor is n.
std::vector<AxisStep> axisWalk(int nSteps, std::uint64_t stepWidth, std::uint64_t cellWidth,
                               std::uint64_t divisor) {
    std::vector<AxisStep> steps(static_cast<std::size_t>(nSteps));
    std::uint64_t filled = 0;
    int nCell = 0;
    for (AxisStep& step : steps) {
        step.index = nCell;
        const std::uint64_t end = filled + stepWidth;
        if (end > cellWidth) {
            step.weight = static_cast<std::uint32_t>((cellWidth - filled) * kUnit / divisor);
            step.nextWeight = static_cast<std::uint32_t>((end - cellWidth) * kUnit / divisor);
            step.straddles = true;
            step.completes = true;
            filled = end - cellWidth;
            ++nCell;
        } else {
            step.weight = static_cast<std::uint32_t>(stepWidth * kUnit / divisor);
            step.completes = end == cellWidth;
            filled = step.completes ? 0 : end;
            nCell += step.completes ? 1 : 0;
        }
    }
    return steps;
}

std::vector<AxisStep> shrinkingWalk(int nSource, int nTarget) {
    return axisWalk(nSource, static_cast<std::uint64_t>(nTarget),
                    static_cast<std::uint64_t>(nSource), static_cast<std::uint64_t>(nSource));
}

std::vector<AxisStep> enlargingWalk(int nSource, int nTarget) {
    return axisWalk(nTarget, static_cast<std::uint64_t>(nSource),
                    static_cast<std::uint64_t>(nTarget), static_cast<std::uint64_t>(nSource));
}

// Per-channel sums of one target row, in units of 1/2^24.
struct RowSums {
    std::vector<std::uint32_t> channels; // r, g, b per target pixel

    explicit RowSums(int nWidth) : channels(static_cast<std::size_t>(nWidth) * 3, 0) {}
    void add(int x, std::uint32_t rgb, std::uint32_t weight) {
        std::uint32_t* pSum = &channels[static_cast<std::size_t>(x) * 3];
        pSum[0] += ((rgb >> 16) & 0xFF) * weight;
        pSum[1] += ((rgb >> 8) & 0xFF) * weight;
        pSum[2] += (rgb & 0xFF) * weight;
    }
    void writeTo(std::uint32_t* pRow) const {
        for (std::size_t x = 0; x < channels.size() / 3; ++x) {
            const std::uint32_t* pSum = &channels[x * 3];
            pRow[x] = (pSum[0] >> kShift) << 16 | (pSum[1] >> kShift) << 8 | (pSum[2] >> kShift);
        }
    }
    void clear() { std::fill(channels.begin(), channels.end(), 0); }
};

std::uint32_t* targetRow(PixelBuffer& target, int y) {
    return target.pixels.data() +
           static_cast<std::size_t>(y) * static_cast<std::size_t>(target.width);
}

// Every source pixel adds its weighted colour to the one or two target
// pixels it covers in each direction; a target row is written once the
// source row that finishes it has been added.
void shrink(const PixelBuffer& source, PixelBuffer& target) {
    const std::vector<AxisStep> xSteps = shrinkingWalk(source.width, target.width);
    const std::vector<AxisStep> ySteps = shrinkingWalk(source.height, target.height);
    RowSums current(target.width);
    RowSums next(target.width);
    for (int y = 0; y < source.height; ++y) {
        const AxisStep& ys = ySteps[static_cast<std::size_t>(y)];
        for (int x = 0; x < source.width; ++x) {
            const AxisStep& xs = xSteps[static_cast<std::size_t>(x)];
            const std::uint32_t rgb = source.at(x, y);
            current.add(xs.index, rgb, xs.weight * ys.weight);
            if (xs.straddles) {
                current.add(xs.index + 1, rgb, xs.nextWeight * ys.weight);
            }
            if (ys.straddles) {
                next.add(xs.index, rgb, xs.weight * ys.nextWeight);
                if (xs.straddles) {
                    next.add(xs.index + 1, rgb, xs.nextWeight * ys.nextWeight);
                }
            }
        }
        if (ys.completes) {
            current.writeTo(targetRow(target, ys.index));
            current.clear();
            std::swap(current, next);
        }
    }
}

// Every target pixel mixes the one or two source pixels it covers in each
// direction in proportion to their overlap.
void enlarge(const PixelBuffer& source, PixelBuffer& target) {
    const std::vector<AxisStep> xSteps = enlargingWalk(source.width, target.width);
    const std::vector<AxisStep> ySteps = enlargingWalk(source.height, target.height);
    RowSums row(target.width);
    for (int y = 0; y < target.height; ++y) {
        const AxisStep& ys = ySteps[static_cast<std::size_t>(y)];
        row.clear();
        for (int x = 0; x < target.width; ++x) {
            const AxisStep& xs = xSteps[static_cast<std::size_t>(x)];
            row.add(x, source.at(xs.index, ys.index), xs.weight * ys.weight);
            if (xs.straddles) {
                row.add(x, source.at(xs.index + 1, ys.index), xs.nextWeight * ys.weight);
            }
            if (ys.straddles) {
                row.add(x, source.at(xs.index, ys.index + 1), xs.weight * ys.nextWeight);
                if (xs.straddles) {
                    row.add(x, source.at(xs.index + 1, ys.index + 1),
                            xs.nextWeight * ys.nextWeight);
                }
            }
        }
        row.writeTo(targetRow(target, y));
    }
}

bool isScalable(const PixelBuffer& picture) {
    return picture.width > 0 && picture.height > 0 && picture.width <= kMaxScalerSide &&
           picture.height <= kMaxScalerSide &&
           picture.pixels.size() ==
               static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height);
}

PixelBuffer blank(int nWidth, int nHeight) {
    return {nWidth, nHeight,
            std::vector<std::uint32_t>(static_cast<std::size_t>(nWidth) *
                                       static_cast<std::size_t>(nHeight))};
}

} // namespace

std::optional<PixelBuffer> scaleBitmap(const PixelBuffer& source, int nWidth, int nHeight) {
    if (!isScalable(source) || nWidth <= 0 || nHeight <= 0 || nWidth > kMaxScalerSide ||
        nHeight > kMaxScalerSide) {
        return std::nullopt;
    }
    const bool bGrowsX = source.width < nWidth;
    const bool bGrowsY = source.height < nHeight;
    const bool bShrinksX = source.width > nWidth;
    const bool bShrinksY = source.height > nHeight;
    if ((bShrinksX && bGrowsY) || (bGrowsX && bShrinksY)) {
        return std::nullopt;
    }
    PixelBuffer target = blank(nWidth, nHeight);
    if (bGrowsX || bGrowsY) {
        enlarge(source, target);
    } else {
        shrink(source, target);
    }
    return target;
}

std::optional<PixelBuffer> makeThumbnail(const PixelBuffer& source) {
    if (std::optional<PixelBuffer> scaled =
            scaleBitmap(source, kThumbnailWidth, kThumbnailHeight)) {
        return scaled;
    }
    if (!isScalable(source)) {
        return std::nullopt;
    }
    // Shrinks one way, grows the other: shrink both, proportions kept, so
    // that the picture fits the thumbnail whole.
    const bool bWide = source.width > kThumbnailWidth;
    const auto scaledSide = [](int nSide, int nTarget, int nAlong) {
        const long long n = (static_cast<long long>(nSide) * nTarget + nAlong / 2) / nAlong;
        return n < 1 ? 1 : static_cast<int>(n);
    };
    const int nWidth =
        bWide ? kThumbnailWidth : scaledSide(source.width, kThumbnailHeight, source.height);
    const int nHeight =
        bWide ? scaledSide(source.height, kThumbnailWidth, source.width) : kThumbnailHeight;
    const std::optional<PixelBuffer> fitted = scaleBitmap(source, nWidth, nHeight);
    if (!fitted) {
        return std::nullopt;
    }
    PixelBuffer thumbnail = blank(kThumbnailWidth, kThumbnailHeight);
    const int nLeft = (kThumbnailWidth - fitted->width) / 2;
    const int nTop = (kThumbnailHeight - fitted->height) / 2;
    for (int y = 0; y < fitted->height; ++y) {
        for (int x = 0; x < fitted->width; ++x) {
            targetRow(thumbnail, nTop + y)[nLeft + x] = fitted->at(x, y);
        }
    }
    return thumbnail;
}
