#pragma once

#include "imaging/Rect.h"

// How a photo of w by h pixels goes onto a screen of W by H.
struct PhotoFit {
    // Larger than the screen in either direction.
    bool bLarger = false;
    // Cropped (packs of version 5 and up): the part of the photo kept, and
    // the crop shift the panel layout moves by (already signed for the box
    // corner). Otherwise the whole photo and no shift.
    bool bCropped = false;
    Rect crop;
    int nCropShiftX = 0;
    int nCropShiftY = 0;
    // Where on the screen the (cropped) photo is drawn, in its drawn size.
    Rect placed;
};

// Packs below version 5 scale a larger photo to nine tenths of the screen's
// width (landscape) or height (portrait), keeping its proportions; should
// that still overflow the other direction, it is fitted by that one
// instead. Packs of version 5 and up crop a larger photo to the screen
// around its centre. Either way the result is centred.
PhotoFit fitPhoto(int w, int h, int W, int H, int nDllVersion, int nBoxLocation);
