#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"

// The pictures of the dialogs. They are drawn by the program, so each can be
// had at any size, sharp on a display of any scale; their own size is the
// one the templates were drawn for.
namespace res {

// The size a bitmap resource was drawn for: 129 x 117 for the monitor
// picture (146), 225 x 162 for the about box's background (153); empty for
// an id that is not a bitmap.
Size bitmapSize(int bitmapId);

// The bitmap drawn at width x height (premultiplied ARGB: the monitor
// picture is transparent around the monitor); an empty surface for an
// unknown id or a size that is not positive.
DrawingSurface renderBitmap(int bitmapId, int nWidth, int nHeight);
inline DrawingSurface loadBitmap(int bitmapId) {
    const Size size = bitmapSize(bitmapId);
    return renderBitmap(bitmapId, size.cx, size.cy);
}

// Where the screen of the monitor picture lies in it, at its own size: the
// settings dialog puts its preview there.
inline constexpr Rect kMonitorScreen{20, 21, 119, 94};

} // namespace res
