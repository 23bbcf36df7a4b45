#include "imaging/Compositor.h"

#include "imaging/TextEncoding.h"

#include <algorithm>
#include <pango/pangocairo.h>

namespace {

void setSourceColour(cairo_t* pContext, COLORREF colour) {
    cairo_set_source_rgb(pContext, colorrefRed(colour) / 255.0, colorrefGreen(colour) / 255.0,
                         colorrefBlue(colour) / 255.0);
}

// Opaque sources replace the target; sources with alpha compose over it.
cairo_operator_t operatorFor(const DrawingSurface& source) {
    return source.format() == CAIRO_FORMAT_ARGB32 ? CAIRO_OPERATOR_OVER : CAIRO_OPERATOR_SOURCE;
}

bool isDrawable(const DrawingSurface& source) {
    return source.isValid() &&
           (source.format() == CAIRO_FORMAT_RGB24 || source.format() == CAIRO_FORMAT_ARGB32);
}

} // namespace

Compositor::Compositor(DrawingSurface& target) : m_pTarget(&target) {
    if (!target.isValid()) {
        return;
    }
    CairoContextPtr pContext(cairo_create(target.get()));
    if (cairo_status(pContext.get()) != CAIRO_STATUS_SUCCESS) {
        return;
    }
    GObjectPtr<PangoContext> pTextContext(pango_cairo_create_context(pContext.get()));
    if (!pTextContext) {
        return;
    }
    applyTextRendering(pTextContext.get());
    m_pContext = std::move(pContext);
    m_pTextContext = std::move(pTextContext);
}

bool Compositor::fill(COLORREF colour) {
    if (!isValid()) {
        return false;
    }
    return fillRect(Rect{0, 0, m_pTarget->width(), m_pTarget->height()}, colour);
}

bool Compositor::fillRect(const Rect& rect, COLORREF colour) {
    if (!isValid()) {
        return false;
    }
    if (rect.isEmpty()) {
        return true;
    }
    cairo_t* pContext = m_pContext.get();
    cairo_save(pContext);
    cairo_set_operator(pContext, CAIRO_OPERATOR_SOURCE);
    setSourceColour(pContext, colour);
    cairo_rectangle(pContext, rect.left, rect.top, rect.width(), rect.height());
    cairo_fill(pContext);
    cairo_restore(pContext);
    return true;
}

bool Compositor::copy(const DrawingSurface& source, int x, int y) {
    return copyPart(source, Rect{0, 0, source.width(), source.height()}, x, y);
}

bool Compositor::copyPart(const DrawingSurface& source, const Rect& sourceRect, int x, int y) {
    if (!isValid() || !isDrawable(source)) {
        return false;
    }
    const Rect part{std::max(sourceRect.left, 0), std::max(sourceRect.top, 0),
                    std::min(sourceRect.right, source.width()),
                    std::min(sourceRect.bottom, source.height())};
    if (part.isEmpty()) {
        return false;
    }
    // A part clamped on its left or top edge still lands where that edge
    // of the requested rectangle would have.
    const int nTargetX = x + (part.left - sourceRect.left);
    const int nTargetY = y + (part.top - sourceRect.top);
    cairo_t* pContext = m_pContext.get();
    cairo_save(pContext);
    cairo_set_operator(pContext, operatorFor(source));
    cairo_set_source_surface(pContext, source.get(), nTargetX - part.left, nTargetY - part.top);
    cairo_rectangle(pContext, nTargetX, nTargetY, part.width(), part.height());
    cairo_fill(pContext);
    cairo_restore(pContext);
    return true;
}

bool Compositor::stretch(const DrawingSurface& source, int x, int y, int cx, int cy) {
    return paintScaled(source, x, y, cx, cy, CAIRO_FILTER_NEAREST);
}

bool Compositor::scaleSmooth(const DrawingSurface& source, int x, int y, int cx, int cy) {
    return paintScaled(source, x, y, cx, cy, CAIRO_FILTER_GOOD);
}

bool Compositor::paintScaled(const DrawingSurface& source, int x, int y, int cx, int cy,
                             cairo_filter_t filter) {
    if (!isValid() || !isDrawable(source) || cx <= 0 || cy <= 0) {
        return false;
    }
    if (cx == source.width() && cy == source.height()) {
        return copy(source, x, y);
    }
    CairoPatternPtr pPattern(cairo_pattern_create_for_surface(source.get()));
    if (cairo_pattern_status(pPattern.get()) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    cairo_matrix_t matrix;
    cairo_matrix_init_scale(&matrix, static_cast<double>(source.width()) / cx,
                            static_cast<double>(source.height()) / cy);
    cairo_matrix_translate(&matrix, -x, -y);
    cairo_pattern_set_matrix(pPattern.get(), &matrix);
    cairo_pattern_set_filter(pPattern.get(), filter);
    cairo_pattern_set_extend(pPattern.get(), CAIRO_EXTEND_PAD);

    cairo_t* pContext = m_pContext.get();
    cairo_save(pContext);
    cairo_set_operator(pContext, operatorFor(source));
    cairo_set_source(pContext, pPattern.get());
    cairo_rectangle(pContext, x, y, cx, cy);
    cairo_fill(pContext);
    cairo_restore(pContext);
    return true;
}

GObjectPtr<PangoLayout> Compositor::makeLayout(const TextFont& font, std::string_view text,
                                               unsigned format, const Rect& rect) {
    GObjectPtr<PangoLayout> pLayout(pango_layout_new(m_pTextContext.get()));
    if (!pLayout) {
        return pLayout;
    }
    std::string csText = toValidUtf8(text);
    if ((format & TEXTFORMAT_SINGLELINE) != 0) {
        std::replace_if(
            csText.begin(), csText.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
        if ((format & TEXTFORMAT_END_ELLIPSIS) != 0 && rect.width() > 0) {
            pango_layout_set_width(pLayout.get(), rect.width() * PANGO_SCALE);
            pango_layout_set_ellipsize(pLayout.get(), PANGO_ELLIPSIZE_END);
        }
    } else if ((format & TEXTFORMAT_WORDBREAK) != 0 && rect.width() > 0) {
        pango_layout_set_width(pLayout.get(), rect.width() * PANGO_SCALE);
        pango_layout_set_wrap(pLayout.get(), PANGO_WRAP_WORD);
    }
    PangoAlignment alignment = PANGO_ALIGN_LEFT;
    if ((format & TEXTFORMAT_CENTER) != 0) {
        alignment = PANGO_ALIGN_CENTER;
    } else if ((format & TEXTFORMAT_RIGHT) != 0) {
        alignment = PANGO_ALIGN_RIGHT;
    }
    pango_layout_set_alignment(pLayout.get(), alignment);
    pango_layout_set_font_description(pLayout.get(), font.description());
    pango_layout_set_text(pLayout.get(), csText.data(), static_cast<int>(csText.size()));
    return pLayout;
}

Size Compositor::textExtent(const TextFont& font, std::string_view text) {
    if (!isValid() || !font.isValid()) {
        return Size{};
    }
    GObjectPtr<PangoLayout> pLayout = makeLayout(font, text, TEXTFORMAT_SINGLELINE, Rect{});
    if (!pLayout) {
        return Size{};
    }
    PangoRectangle logical;
    pango_layout_get_pixel_extents(pLayout.get(), nullptr, &logical);
    return Size{logical.width, font.cellHeight()};
}

bool Compositor::drawText(const TextFont& font, std::string_view text, const Rect& rect,
                          COLORREF colour, unsigned format) {
    if (!isValid() || !font.isValid()) {
        return false;
    }
    if (text.empty()) {
        return true;
    }
    GObjectPtr<PangoLayout> pLayout = makeLayout(font, text, format, rect);
    if (!pLayout) {
        return false;
    }
    PangoRectangle logical;
    pango_layout_get_pixel_extents(pLayout.get(), nullptr, &logical);

    // Wrapped and ellipsized text is laid out in the rectangle's width and
    // aligned there by pango.
    const bool bFitted = pango_layout_get_width(pLayout.get()) > 0;
    int x = rect.left;
    if (!bFitted) {
        // Unwrapped text is placed by its own width, so that a line wider
        // than the rectangle overflows on both sides when centred.
        if ((format & TEXTFORMAT_CENTER) != 0) {
            x = (rect.left + rect.right - logical.width) / 2;
        } else if ((format & TEXTFORMAT_RIGHT) != 0) {
            x = rect.right - logical.width;
        }
        x -= logical.x;
    }
    int y = rect.top;
    if ((format & TEXTFORMAT_SINGLELINE) != 0) {
        if ((format & TEXTFORMAT_VCENTER) != 0) {
            y = (rect.top + rect.bottom - font.cellHeight()) / 2;
        } else if ((format & TEXTFORMAT_BOTTOM) != 0) {
            y = rect.bottom - font.cellHeight();
        }
    }

    cairo_t* pContext = m_pContext.get();
    cairo_save(pContext);
    if ((format & TEXTFORMAT_NOCLIP) == 0) {
        cairo_rectangle(pContext, rect.left, rect.top, std::max(rect.width(), 0),
                        std::max(rect.height(), 0));
        cairo_clip(pContext);
    }
    setSourceColour(pContext, colour);
    cairo_move_to(pContext, x, y);
    pango_cairo_show_layout(pContext, pLayout.get());
    cairo_restore(pContext);
    return true;
}

void Compositor::done() {
    if (m_pTarget != nullptr) {
        m_pTarget->flush();
    }
}
