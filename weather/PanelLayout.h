#pragma once

#include "imaging/Rect.h"

// The rectangles of one weather panel, in frame pixels. The margins are
// empty columns, worked out and traced but never drawn in.
struct PanelLayout {
    Rect rectMargin1;
    Rect rectWxIcon;
    Rect rectMargin2;
    Rect rectCCDescText;
    Rect rectMargin3;
    // The temperature's rectangle (traced only by the first layout).
    Rect rectCCTemperature;
    // First layout only.
    Rect rectMargin4;
    Rect rectLocation;
};

// A row across the box (icon, condition, temperature) with the location on
// a strip along its bottom: packs below version 2 and above 5.
PanelLayout weatherLayout(const Rect& box);
// Icon column on the left; temperature, condition and location stacked to
// its right: versions 2 to 4.
PanelLayout weather2Layout(const Rect& box);
// Version 5: from the box's left, top and bottom edges, each first moved
// back by the photo's crop shift; the texts lie below the box.
PanelLayout weather5Layout(const Rect& box, int nCropShiftX, int nCropShiftY);

// The crop shift that weather5Layout is given: the photo's own, as far as
// it keeps the panel (icon and texts) on a frame of nFrameWidth by
// nFrameHeight; past that, the nearest shift that does. A panel the pack
// itself puts partly off the frame is not pushed further out. The panel
// follows the photo, but is never lost with the part cropped away.
Size limitedCropShift(const Rect& box, int nCropShiftX, int nCropShiftY, int nFrameWidth,
                      int nFrameHeight);

// The first layout's condition rectangle for text that has to wrap: inset
// by 2 at the top and bottom.
Rect centeredCCDescTextRect(const Rect& box);
