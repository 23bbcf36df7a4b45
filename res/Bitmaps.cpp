#include "res/Bitmaps.h"

#include "imaging/CairoHandles.h"
#include "imaging/TextFont.h"
#include "res/ArtworkDrawing.h"
#include "res/ResourceIds.h"

#include <pango/pangocairo.h>

namespace res {

namespace {

using namespace artwork;

constexpr Size kMonitorSize{129, 117};
constexpr Size kAboutSize{225, 162};

// The monitor with the stand under it; its screen is kMonitorScreen.
void paintMonitor(cairo_t* pCairo) {
    const Rect& screen = kMonitorScreen;
    const double dMiddle = (screen.left + screen.right) / 2.0;

    // Shadow, foot and neck.
    cairo_save(pCairo);
    cairo_translate(pCairo, dMiddle, 113.5);
    cairo_scale(pCairo, 36, 3);
    cairo_arc(pCairo, 0, 0, 1, 0, 6.2832);
    cairo_restore(pCairo);
    setColour(pCairo, rgb(0x000000), 0.18);
    cairo_fill(pCairo);
    roundedRectangle(pCairo, dMiddle - 25, 106, 50, 6.5, 3);
    fillVerticalGradient(pCairo, dMiddle - 25, 106, 50, 6.5, rgb(0x98A5B8), rgb(0x7B889C), 0.5,
                         rgb(0x56647A));
    cairo_move_to(pCairo, dMiddle - 7, 101);
    cairo_line_to(pCairo, dMiddle + 7, 101);
    cairo_line_to(pCairo, dMiddle + 10, 106.5);
    cairo_line_to(pCairo, dMiddle - 10, 106.5);
    cairo_close_path(pCairo);
    setColour(pCairo, rgb(0x66758B));
    cairo_fill(pCairo);

    // The bezel, the packs' navy lightened, with a lit edge.
    const double dLeft = screen.left - 9;
    const double dTop = screen.top - 9;
    const double dWidth = screen.width() + 18;
    const double dHeight = screen.height() + 17;
    roundedRectangle(pCairo, dLeft, dTop, dWidth, dHeight, 6);
    cairo_save(pCairo);
    cairo_clip_preserve(pCairo);
    fillVerticalGradient(pCairo, dLeft, dTop, dWidth, dHeight, rgb(0x43557A), rgb(0x263752), 0.5,
                         rgb(0x152239));
    cairo_restore(pCairo);
    roundedRectangle(pCairo, dLeft + 0.5, dTop + 0.5, dWidth - 1, dHeight - 1, 5.5);
    setColour(pCairo, rgb(0xA9B6CC), 0.55);
    cairo_set_line_width(pCairo, 1);
    cairo_stroke(pCairo);
    // The power light in the chin.
    cairo_arc(pCairo, screen.right - 4, screen.bottom + 4, 1.3, 0, 6.2832);
    setColour(pCairo, rgb(0x7DE38A));
    cairo_fill(pCairo);

    // The glass, dark until the preview shows a photo over it.
    fillVerticalGradient(pCairo, screen.left, screen.top, screen.width(), screen.height(),
                         rgb(0x1E3A63), rgb(0x10223F), 0.6, rgb(0x071B39));
    cairo_move_to(pCairo, screen.left, screen.top);
    cairo_line_to(pCairo, screen.left + screen.width() * 0.55, screen.top);
    cairo_line_to(pCairo, screen.left, screen.top + screen.height() * 0.7);
    cairo_close_path(pCairo);
    setColour(pCairo, rgb(0xFFFFFF), 0.07);
    cairo_fill(pCairo);
}

void paintTitle(cairo_t* pCairo, const char* pText, double x, double y, int nCellHeight) {
    const TextFont font = TextFont::create("Liberation Sans", nCellHeight, 700);
    if (!font.isValid()) {
        return;
    }
    GObjectPtr<PangoLayout> pLayout(pango_cairo_create_layout(pCairo));
    applyTextRendering(pango_layout_get_context(pLayout.get()));
    pango_layout_set_font_description(pLayout.get(), font.description());
    pango_layout_set_text(pLayout.get(), pText, -1);
    setColour(pCairo, rgb(0x071B39));
    cairo_move_to(pCairo, x, y);
    pango_cairo_show_layout(pCairo, pLayout.get());
}

// A bright day over the hills: the sun behind a cloud on the left, the
// name, and panes of frosted glass under the links at the top right and the
// three lines at the bottom left, so that every text reads.
void paintAboutBackground(cairo_t* pCairo) {
    const double w = kAboutSize.cx;
    const double h = kAboutSize.cy;
    fillVerticalGradient(pCairo, 0, 0, w, h, rgb(0x6FA8DC), rgb(0xD3E6F6), 0.55, rgb(0xF6E2BE));
    paintHaze(pCairo, 156, 30, 84, 30, 0.85);
    roundedRectangle(pCairo, 98, 9, 116, 46, 6);
    setColour(pCairo, rgb(0xFFFFFF), 0.72);
    cairo_fill(pCairo);
    paintSun(pCairo, 30, 27, 11);
    paintCloud(pCairo, 34, 44, 44);
    paintHills(pCairo, w, h, 112);
    roundedRectangle(pCairo, 5, 100, 122, 50, 6);
    setColour(pCairo, rgb(0xFFFFFF), 0.62);
    cairo_fill(pCairo);
    paintTitle(pCairo, "Nimbora Screensaver", 10, 54, 19);
}

} // namespace

Size bitmapSize(int bitmapId) {
    switch (bitmapId) {
    case IDB_MONITOR:
        return kMonitorSize;
    case IDB_ABOUT_BACKGROUND:
        return kAboutSize;
    default:
        return {};
    }
}

DrawingSurface renderBitmap(int bitmapId, int nWidth, int nHeight) {
    const Size size = bitmapSize(bitmapId);
    if (size.cx == 0 || nWidth <= 0 || nHeight <= 0) {
        return {};
    }
    DrawingSurface surface = DrawingSurface::create(nWidth, nHeight, CAIRO_FORMAT_ARGB32);
    if (!surface.isValid()) {
        return surface;
    }
    const CairoContextPtr pCairo(cairo_create(surface.get()));
    cairo_scale(pCairo.get(), static_cast<double>(nWidth) / size.cx,
                static_cast<double>(nHeight) / size.cy);
    if (bitmapId == IDB_MONITOR) {
        paintMonitor(pCairo.get());
    } else {
        paintAboutBackground(pCairo.get());
    }
    surface.flush();
    return surface;
}

} // namespace res
