#pragma once

#include "ui/DialogTemplate.h"

#include <functional>
#include <vector>

struct PixelPoint {
    int x = 0;
    int y = 0;
};

struct PixelSize {
    int width = 0;
    int height = 0;
};

struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// Dialog units to pixels for one point, as the toolkit converts them.
using DialogUnitConverter = std::function<PixelPoint(int x, int y)>;

// The toolkit's rule, from the dialog font's average character size:
// x × base.width / 4 and y × base.height / 8, rounded to the nearest pixel.
DialogUnitConverter averageCharacterConverter(PixelSize base);

// A drop-down list's template height is that of the list when dropped; shut,
// it takes the height of an edit.
inline constexpr int kClosedDropDownHeight = 14;

// A dialog never grows past this factor: a control that would need more is
// shown cut rather than the dialog taking the screen.
inline constexpr double kMaxGrowth = 3.0;

struct DialogPlacement {
    double growth = 1.0; // applied to the whole layout
    PixelSize clientSize;
    std::vector<PixelRect> controls; // one per template control, in order
};

// The rectangle a control takes before growth, in dialog units (a shut
// drop-down list takes less than its template height).
DialogRect shownRect(const ControlTemplate& control);

// Places the controls of the template. needs[i] is the least size at which
// control i shows whole, 0 in an axis where any size will do; hidden
// controls do not count. When a control needs more room than its rectangle
// gives, the whole dialog grows by the least common factor with which every
// control fits, so the template's proportions stay as they are.
DialogPlacement placeDialog(const DialogTemplate& dialogTemplate,
                            const DialogUnitConverter& toPixels,
                            const std::vector<PixelSize>& needs);
