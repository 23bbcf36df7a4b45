#include "imaging/TextFont.h"

#include <algorithm>
#include <cmath>
#include <pango/pangocairo.h>

namespace {

struct FontOptionsRelease {
    void operator()(cairo_font_options_t* pOptions) const { cairo_font_options_destroy(pOptions); }
};

// Ascent and descent, in pango units, of the font the description resolves to.
bool measureLine(PangoContext* pContext, const PangoFontDescription* pDescription, int& nAscent,
                 int& nDescent) {
    GObjectPtr<PangoFont> pFont(
        pango_font_map_load_font(pango_context_get_font_map(pContext), pContext, pDescription));
    if (!pFont) {
        return false;
    }
    FontMetricsPtr pMetrics(pango_font_get_metrics(pFont.get(), nullptr));
    if (!pMetrics) {
        return false;
    }
    nAscent = pango_font_metrics_get_ascent(pMetrics.get());
    nDescent = pango_font_metrics_get_descent(pMetrics.get());
    return nAscent + nDescent > 0;
}

} // namespace

void applyTextRendering(PangoContext* pContext) {
    std::unique_ptr<cairo_font_options_t, FontOptionsRelease> pOptions(cairo_font_options_create());
    cairo_font_options_set_antialias(pOptions.get(), CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(pOptions.get(), CAIRO_HINT_STYLE_SLIGHT);
    // Whole-pixel metrics, like the text measurement of a classic display.
    cairo_font_options_set_hint_metrics(pOptions.get(), CAIRO_HINT_METRICS_ON);
    pango_cairo_context_set_font_options(pContext, pOptions.get());
}

TextFont TextFont::create(const std::string& csFace, int nCellHeight, int nWeight) {
    TextFont font;
    if (nCellHeight < 1 || nCellHeight > MAX_CELL_HEIGHT) {
        return font;
    }
    PangoFontMap* pFontMap = pango_cairo_font_map_get_default(); // not owned
    GObjectPtr<PangoContext> pContext(pango_font_map_create_context(pFontMap));
    if (!pContext) {
        return font;
    }
    applyTextRendering(pContext.get());

    FontDescriptionPtr pDescription(pango_font_description_new());
    pango_font_description_set_family(pDescription.get(), csFace.c_str());
    const int nPangoWeight = nWeight <= 0 ? 400 : std::clamp(nWeight, 100, 1000);
    pango_font_description_set_weight(pDescription.get(), static_cast<PangoWeight>(nPangoWeight));
    pango_font_description_set_style(pDescription.get(), PANGO_STYLE_NORMAL);

    // The em size is not the cell height: start from the cell height, then
    // rescale by the measured line until ascent plus descent is the cell.
    const double target = static_cast<double>(nCellHeight) * PANGO_SCALE;
    double size = target;
    int nAscent = 0;
    int nDescent = 0;
    for (int attempt = 0; attempt < 4; ++attempt) {
        pango_font_description_set_absolute_size(pDescription.get(), size);
        if (!measureLine(pContext.get(), pDescription.get(), nAscent, nDescent)) {
            return font;
        }
        const int nLine = nAscent + nDescent;
        if (std::lround(nLine / static_cast<double>(PANGO_SCALE)) == nCellHeight) {
            break;
        }
        size = size * target / nLine;
    }
    font.m_pDescription = std::move(pDescription);
    font.m_nCellHeight = nCellHeight;
    font.m_nAscent = static_cast<int>(std::lround(nAscent / static_cast<double>(PANGO_SCALE)));
    return font;
}
