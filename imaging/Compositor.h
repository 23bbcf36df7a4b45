#pragma once

#include "imaging/CairoHandles.h"
#include "imaging/Colorref.h"
#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"
#include "imaging/TextFont.h"

#include <pango/pango-layout.h>
#include <string_view>

// Text placement flags of Compositor::drawText, combined with |. Without
// TEXTFORMAT_SINGLELINE the text keeps its line breaks; vertical centring
// and bottom alignment apply to single lines only.
enum TextFormat : unsigned {
    TEXTFORMAT_LEFT = 0x000,
    TEXTFORMAT_TOP = 0x000,
    TEXTFORMAT_CENTER = 0x001,
    TEXTFORMAT_RIGHT = 0x002,
    TEXTFORMAT_VCENTER = 0x004,
    TEXTFORMAT_BOTTOM = 0x008,
    TEXTFORMAT_WORDBREAK = 0x010,
    TEXTFORMAT_SINGLELINE = 0x020,
    TEXTFORMAT_NOCLIP = 0x100,
    // A single line wider than the rectangle ends in "..." at a whole
    // character instead of being cut off inside a glyph.
    TEXTFORMAT_END_ELLIPSIS = 0x8000,
};

// Draws on one surface: solid fills, copies of other surfaces (at their
// size, a part of them, or stretched nearest-neighbour) and text. Colours
// are COLORREFs, coordinates pixels of the target. The target must outlive
// the compositor; call DrawingSurface::flush() (or done()) before reading
// its pixels. Every operation on an invalid compositor or with an invalid
// argument draws nothing and answers false.
class Compositor {
public:
    explicit Compositor(DrawingSurface& target);
    Compositor(Compositor&&) noexcept = default;
    Compositor& operator=(Compositor&&) noexcept = default;
    Compositor(const Compositor&) = delete;
    Compositor& operator=(const Compositor&) = delete;
    ~Compositor() = default;

    bool isValid() const { return m_pContext != nullptr; }

    bool fill(COLORREF colour);
    bool fillRect(const Rect& rect, COLORREF colour);

    // The whole source with its top-left corner at (x, y). A source with
    // alpha is composed over what is there; an opaque one replaces it.
    bool copy(const DrawingSurface& source, int x, int y);
    // The part of the source inside sourceRect (clamped to the source),
    // its top-left corner at (x, y).
    bool copyPart(const DrawingSurface& source, const Rect& sourceRect, int x, int y);
    // The whole source stretched to cx by cy at (x, y), each target pixel
    // taking its nearest source pixel (no smoothing).
    bool stretch(const DrawingSurface& source, int x, int y, int cx, int cy);
    // The same with a smoothing filter, for small pictures drawn smaller
    // than they are (an icon fitted into its column).
    bool scaleSmooth(const DrawingSurface& source, int x, int y, int cx, int cy);

    // Width of the text on one line, and the font's cell height.
    Size textExtent(const TextFont& font, std::string_view text);
    // Draws the text in the rectangle with a transparent background.
    bool drawText(const TextFont& font, std::string_view text, const Rect& rect, COLORREF colour,
                  unsigned format);

    // Finishes pending drawing so that the target's pixels can be read.
    void done();

private:
    bool paintScaled(const DrawingSurface& source, int x, int y, int cx, int cy,
                     cairo_filter_t filter);
    GObjectPtr<PangoLayout> makeLayout(const TextFont& font, std::string_view text, unsigned format,
                                       const Rect& rect);

    DrawingSurface* m_pTarget = nullptr;
    CairoContextPtr m_pContext;
    GObjectPtr<PangoContext> m_pTextContext;
};
