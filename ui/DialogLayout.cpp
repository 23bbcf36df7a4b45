#include "ui/DialogLayout.h"

#include <algorithm>
#include <cmath>

namespace {

int scaled(int pixels, double growth) {
    return static_cast<int>(std::lround(pixels * growth));
}

PixelRect placeRect(const DialogRect& rect, const DialogUnitConverter& toPixels, double growth) {
    const PixelPoint from = toPixels(rect.x, rect.y);
    const PixelPoint to = toPixels(rect.x + rect.width, rect.y + rect.height);
    const int left = scaled(from.x, growth);
    const int top = scaled(from.y, growth);
    return {left, top, scaled(to.x, growth) - left, scaled(to.y, growth) - top};
}

bool counts(const ControlTemplate& control) {
    return !control.has(ControlStyle::kHidden);
}

bool fits(const PixelRect& placed, const PixelSize& need) {
    return placed.width >= need.width && placed.height >= need.height;
}

// The factor with which one control's rectangle, converted without rounding
// of its own, would just hold what it needs.
double wantedGrowth(const PixelRect& placed, const PixelSize& need) {
    double growth = 1.0;
    if (need.width > 0) {
        growth = std::max(growth, need.width / static_cast<double>(std::max(placed.width, 1)));
    }
    if (need.height > 0) {
        growth = std::max(growth, need.height / static_cast<double>(std::max(placed.height, 1)));
    }
    return growth;
}

} // namespace

DialogUnitConverter averageCharacterConverter(PixelSize base) {
    return [base](int x, int y) {
        return PixelPoint{static_cast<int>(std::lround(x * (base.width / 4.0))),
                          static_cast<int>(std::lround(y * (base.height / 8.0)))};
    };
}

DialogRect shownRect(const ControlTemplate& control) {
    DialogRect rect = control.rect;
    if (control.kind == ControlKind::DropDownList) {
        rect.height = std::min(rect.height, kClosedDropDownHeight);
    }
    return rect;
}

DialogPlacement placeDialog(const DialogTemplate& dialogTemplate,
                            const DialogUnitConverter& toPixels,
                            const std::vector<PixelSize>& needs) {
    const auto& controls = dialogTemplate.controls;
    const auto needOf = [&needs](std::size_t i) {
        return i < needs.size() ? needs[i] : PixelSize{};
    };
    DialogPlacement placement;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (counts(controls[i])) {
            placement.growth =
                std::max(placement.growth,
                         wantedGrowth(placeRect(shownRect(controls[i]), toPixels, 1.0), needOf(i)));
        }
    }
    placement.growth = std::min(placement.growth, kMaxGrowth);
    // Rounding each edge can leave a control a pixel short of the factor's
    // promise; a little more growth settles it.
    const auto allFit = [&](double growth) {
        for (std::size_t i = 0; i < controls.size(); ++i) {
            if (counts(controls[i]) &&
                !fits(placeRect(shownRect(controls[i]), toPixels, growth), needOf(i))) {
                return false;
            }
        }
        return true;
    };
    while (placement.growth < kMaxGrowth && !allFit(placement.growth)) {
        placement.growth = std::min(placement.growth + 1.0 / 64, kMaxGrowth);
    }
    for (const ControlTemplate& control : controls) {
        placement.controls.push_back(placeRect(shownRect(control), toPixels, placement.growth));
    }
    const PixelPoint size = toPixels(dialogTemplate.width, dialogTemplate.height);
    placement.clientSize = {scaled(size.x, placement.growth), scaled(size.y, placement.growth)};
    return placement;
}
