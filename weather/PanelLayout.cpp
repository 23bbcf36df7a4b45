#include "weather/PanelLayout.h"

#include <algorithm>

namespace {

// The fifth layout reaches from 45 pixels left of the box to 381 right of
// its left edge, and from 10 above its top to 26 below its bottom.
constexpr int kPanel5Left = -45;
constexpr int kPanel5Right = 381;
constexpr int kPanel5Top = -10;
constexpr int kPanel5Bottom = 26;

// A shift moves [nLow, nHigh] to [nLow - shift, nHigh - shift]. Keeps it
// within [0, nSize] as far as the unshifted extent was.
int limitShift(int nShift, int nLow, int nHigh, int nSize) {
    return std::clamp(nShift, std::min(nHigh - nSize, 0), std::max(nLow, 0));
}

} // namespace

PanelLayout weatherLayout(const Rect& box) {
    const int L = box.left;
    const int T = box.top;
    const int R = box.right;
    const int B = box.bottom;
    PanelLayout layout;
    layout.rectMargin1 = {L, T, L + 8, B};
    layout.rectWxIcon = {L + 8, T, L + 43, B};
    layout.rectMargin2 = {L + 43, T, L + 51, B};
    layout.rectCCDescText = {L + 51, T, R - 61, B - 9};
    layout.rectMargin3 = {R - 61, T, R - 53, B};
    layout.rectCCTemperature = {R - 53, T, R - 8, B};
    layout.rectMargin4 = {R - 8, T, R, B};
    layout.rectLocation = {L + 52, B - 15, R - 60, B};
    return layout;
}

PanelLayout weather2Layout(const Rect& box) {
    const int L = box.left;
    const int T = box.top;
    const int R = box.right;
    const int B = box.bottom;
    PanelLayout layout;
    layout.rectMargin1 = {L, T, L + 8, B};
    layout.rectWxIcon = {L + 8, T, L + 80, B};
    layout.rectMargin2 = {L + 80, T, L + 88, B};
    layout.rectCCTemperature = {L + 88, T + 15, L + 188, T + 39};
    layout.rectCCDescText = {L + 88, T + 43, R - 8, T + 59};
    layout.rectLocation = {L + 88, B - 20, R - 8, B - 8};
    layout.rectMargin3 = {R - 8, T, R, B};
    return layout;
}

PanelLayout weather5Layout(const Rect& box, int nCropShiftX, int nCropShiftY) {
    const int A = box.left - nCropShiftX;
    const int U = box.top - nCropShiftY;
    const int V = box.bottom - nCropShiftY;
    PanelLayout layout;
    layout.rectMargin1 = {A, U, A + 8, V};
    layout.rectWxIcon = {A + 8, U - 10, A + 98, U + 90};
    layout.rectMargin2 = {A + 98, U, A + 106, V};
    layout.rectCCTemperature = {A + 156, U + 20, A + 376, U + 74};
    layout.rectCCDescText = {A - 45, V + 6, A + 155, V + 22};
    layout.rectMargin3 = {A + 155, U, A + 163, V};
    layout.rectLocation = {A + 161, V + 6, A + 381, V + 26};
    return layout;
}

Size limitedCropShift(const Rect& box, int nCropShiftX, int nCropShiftY, int nFrameWidth,
                      int nFrameHeight) {
    return {
        limitShift(nCropShiftX, box.left + kPanel5Left, box.left + kPanel5Right, nFrameWidth),
        limitShift(nCropShiftY, box.top + kPanel5Top, box.bottom + kPanel5Bottom, nFrameHeight)};
}

Rect centeredCCDescTextRect(const Rect& box) {
    return {box.left + 51, box.top + 2, box.right - 61, box.bottom - 11};
}
