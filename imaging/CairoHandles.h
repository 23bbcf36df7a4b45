#pragma once

#include <cairo.h>
#include <glib-object.h>
#include <memory>
#include <pango/pango-font.h>

// Move-only owners of the cairo and pango objects the compositor holds.
struct CairoContextRelease {
    void operator()(cairo_t* pContext) const { cairo_destroy(pContext); }
};
struct CairoPatternRelease {
    void operator()(cairo_pattern_t* pPattern) const { cairo_pattern_destroy(pPattern); }
};
struct GObjectRelease {
    void operator()(void* pObject) const { g_object_unref(pObject); }
};
struct FontDescriptionRelease {
    void operator()(PangoFontDescription* pDescription) const {
        pango_font_description_free(pDescription);
    }
};
struct FontMetricsRelease {
    void operator()(PangoFontMetrics* pMetrics) const { pango_font_metrics_unref(pMetrics); }
};

using CairoContextPtr = std::unique_ptr<cairo_t, CairoContextRelease>;
using CairoPatternPtr = std::unique_ptr<cairo_pattern_t, CairoPatternRelease>;
using FontDescriptionPtr = std::unique_ptr<PangoFontDescription, FontDescriptionRelease>;
using FontMetricsPtr = std::unique_ptr<PangoFontMetrics, FontMetricsRelease>;
template <typename T>
using GObjectPtr = std::unique_ptr<T, GObjectRelease>;
