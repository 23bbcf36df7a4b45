#include "tools/samplegen/IconPainter.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

IconKind kindForCode(int n) {
    switch (n) {
    case 32:
    case 34:
    case 36:
        return IconKind::Sun;
    case 31:
    case 33:
        return IconKind::Moon;
    case 30:
    case 44:
        return IconKind::SunCloud;
    case 29:
        return IconKind::MoonCloud;
    case 25:
    case 26:
    case 27:
    case 28:
        return IconKind::Cloud;
    case 9:
    case 11:
    case 12:
    case 39:
    case 40:
        return IconKind::Rain;
    case 5:
    case 6:
    case 7:
    case 8:
    case 10:
    case 17:
    case 18:
    case 35:
        return IconKind::Sleet;
    case 13:
    case 14:
    case 15:
    case 16:
    case 41:
    case 42:
    case 43:
    case 46:
        return IconKind::Snow;
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 37:
    case 38:
    case 45:
    case 47:
        return IconKind::Storm;
    case 19:
    case 20:
    case 21:
    case 22:
        return IconKind::Fog;
    case 23:
    case 24:
        return IconKind::Wind;
    default:
        return IconKind::NotAvailable;
    }
}

void cloudPath(cairo_t* c, double x, double y, double s) {
    cairo_new_sub_path(c);
    cairo_arc(c, x - 20 * s, y + 4 * s, 15 * s, 0, 2 * kPi);
    cairo_new_sub_path(c);
    cairo_arc(c, x + 1 * s, y - 8 * s, 21 * s, 0, 2 * kPi);
    cairo_new_sub_path(c);
    cairo_arc(c, x + 21 * s, y + 4 * s, 15 * s, 0, 2 * kPi);
    cairo_new_sub_path(c);
    cairo_rectangle(c, x - 20 * s, y + 4 * s, 41 * s, 15 * s);
}

void cloud(cairo_t* c, double x, double y, double s, bool bDark) {
    // The outline first and the body over it, so only the outer edge of the
    // overlapping puffs shows.
    cloudPath(c, x, y, s);
    cairo_set_source_rgba(c, 0.1, 0.15, 0.25, 0.5);
    cairo_set_line_width(c, 4.0);
    cairo_stroke(c);
    cloudPath(c, x, y, s);
    cairo_pattern_t* pFill = cairo_pattern_create_linear(0, y - 30 * s, 0, y + 20 * s);
    const double dTop = bDark ? 0.72 : 1.0;
    const double dBottom = bDark ? 0.45 : 0.8;
    cairo_pattern_add_color_stop_rgb(pFill, 0, dTop, dTop, dTop + 0.02);
    cairo_pattern_add_color_stop_rgb(pFill, 1, dBottom, dBottom + 0.02, dBottom + 0.06);
    cairo_set_source(c, pFill);
    cairo_fill(c);
    cairo_pattern_destroy(pFill);
}

void sun(cairo_t* c, double x, double y, double r) {
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(c, r * 0.22);
    cairo_set_source_rgb(c, 1.0, 0.78, 0.15);
    for (int i = 0; i < 8; ++i) {
        const double a = i * kPi / 4;
        cairo_move_to(c, x + std::cos(a) * r * 1.35, y + std::sin(a) * r * 1.35);
        cairo_line_to(c, x + std::cos(a) * r * 1.85, y + std::sin(a) * r * 1.85);
        cairo_stroke(c);
    }
    cairo_pattern_t* pDisc = cairo_pattern_create_radial(x - r / 3, y - r / 3, 0, x, y, r);
    cairo_pattern_add_color_stop_rgb(pDisc, 0, 1.0, 0.97, 0.55);
    cairo_pattern_add_color_stop_rgb(pDisc, 1, 1.0, 0.68, 0.1);
    cairo_set_source(c, pDisc);
    cairo_arc(c, x, y, r, 0, 2 * kPi);
    cairo_fill(c);
    cairo_pattern_destroy(pDisc);
}

void moon(cairo_t* c, double x, double y, double r) {
    cairo_push_group(c);
    cairo_set_source_rgb(c, 0.98, 0.95, 0.78);
    cairo_arc(c, x, y, r, 0, 2 * kPi);
    cairo_fill(c);
    cairo_set_operator(c, CAIRO_OPERATOR_CLEAR);
    cairo_arc(c, x + r * 0.55, y - r * 0.35, r * 0.85, 0, 2 * kPi);
    cairo_fill(c);
    cairo_pop_group_to_source(c);
    cairo_paint(c);
}

void drops(cairo_t* c, double y, int nCount) {
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(c, 5);
    cairo_set_source_rgb(c, 0.35, 0.65, 1.0);
    for (int i = 0; i < nCount; ++i) {
        const double x = 34 + i * 16;
        cairo_move_to(c, x, y + (i % 2) * 6);
        cairo_line_to(c, x - 5, y + 14 + (i % 2) * 6);
        cairo_stroke(c);
    }
}

void flake(cairo_t* c, double x, double y, double r) {
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(c, 3);
    cairo_set_source_rgb(c, 0.95, 0.98, 1.0);
    for (int i = 0; i < 3; ++i) {
        const double a = i * kPi / 3 + kPi / 2;
        cairo_move_to(c, x - std::cos(a) * r, y - std::sin(a) * r);
        cairo_line_to(c, x + std::cos(a) * r, y + std::sin(a) * r);
    }
    cairo_stroke_preserve(c);
    cairo_set_source_rgba(c, 0.2, 0.4, 0.7, 0.9);
    cairo_set_line_width(c, 1);
    cairo_stroke(c);
}

void bolt(cairo_t* c) {
    cairo_move_to(c, 54, 52);
    cairo_line_to(c, 40, 74);
    cairo_line_to(c, 50, 74);
    cairo_line_to(c, 42, 94);
    cairo_line_to(c, 64, 66);
    cairo_line_to(c, 53, 66);
    cairo_line_to(c, 60, 52);
    cairo_close_path(c);
    cairo_set_source_rgb(c, 1.0, 0.85, 0.1);
    cairo_fill_preserve(c);
    cairo_set_source_rgb(c, 0.6, 0.35, 0.0);
    cairo_set_line_width(c, 1.5);
    cairo_stroke(c);
}

void lines(cairo_t* c, int nFirst, int nCount, bool bWavy) {
    cairo_set_line_cap(c, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(c, 6);
    cairo_set_source_rgb(c, 0.85, 0.87, 0.9);
    for (int i = 0; i < nCount; ++i) {
        const double y = nFirst + i * 14;
        const double dIndent = (i % 2) * 10;
        cairo_move_to(c, 18 + dIndent, y);
        if (bWavy) {
            cairo_curve_to(c, 40, y - 8, 60, y + 8, 76 - dIndent, y);
            cairo_arc(c, 76 - dIndent, y - 7, 7, kPi / 2, kPi * 1.9);
        } else {
            cairo_line_to(c, 82 - dIndent, y);
        }
        cairo_stroke(c);
    }
}

void notAvailable(cairo_t* c) {
    cairo_set_line_width(c, 8);
    cairo_set_source_rgb(c, 0.75, 0.77, 0.8);
    cairo_arc(c, 50, 50, 32, 0, 2 * kPi);
    cairo_stroke(c);
    cairo_move_to(c, 27, 73);
    cairo_line_to(c, 73, 27);
    cairo_stroke(c);
}

void draw(cairo_t* c, IconKind kind) {
    switch (kind) {
    case IconKind::Sun:
        sun(c, 50, 50, 22);
        break;
    case IconKind::Moon:
        moon(c, 50, 50, 30);
        break;
    case IconKind::SunCloud:
        sun(c, 38, 36, 16);
        cloud(c, 56, 60, 0.9, false);
        break;
    case IconKind::MoonCloud:
        moon(c, 38, 36, 22);
        cloud(c, 56, 60, 0.9, false);
        break;
    case IconKind::Cloud:
        cloud(c, 50, 52, 1.15, false);
        break;
    case IconKind::Rain:
        cloud(c, 50, 40, 1.0, true);
        drops(c, 66, 4);
        break;
    case IconKind::Sleet:
        cloud(c, 50, 40, 1.0, true);
        drops(c, 66, 2);
        flake(c, 70, 76, 8);
        break;
    case IconKind::Snow:
        cloud(c, 50, 40, 1.0, false);
        flake(c, 34, 74, 8);
        flake(c, 54, 82, 8);
        flake(c, 72, 72, 8);
        break;
    case IconKind::Storm:
        cloud(c, 50, 38, 1.0, true);
        bolt(c);
        break;
    case IconKind::Fog:
        cloud(c, 50, 34, 0.8, false);
        lines(c, 56, 3, false);
        break;
    case IconKind::Wind:
        lines(c, 32, 3, true);
        break;
    case IconKind::NotAvailable:
        notAvailable(c);
        break;
    }
}

} // namespace

IconKind iconForSkyCode(int nSkyCode) {
    return kindForCode(nSkyCode);
}

DrawingSurface paintIcon(IconKind kind, int nSize, bool bTransparent, std::uint32_t background) {
    DrawingSurface surface = DrawingSurface::create(
        nSize, nSize, bTransparent ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24);
    if (!surface.isValid()) {
        return surface;
    }
    cairo_t* c = cairo_create(surface.get());
    if (!bTransparent) {
        cairo_set_source_rgb(c, ((background >> 16) & 0xFF) / 255.0,
                             ((background >> 8) & 0xFF) / 255.0, (background & 0xFF) / 255.0);
        cairo_paint(c);
    }
    cairo_scale(c, nSize / 100.0, nSize / 100.0);
    draw(c, kind);
    cairo_destroy(c);
    return surface;
}
