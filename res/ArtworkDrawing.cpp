#include "res/ArtworkDrawing.h"

#include <cmath>

namespace artwork {

namespace {

constexpr double kPi = 3.14159265358979323846;

void pine(cairo_t* pCairo, double x, double dBase, double dHeight) {
    cairo_move_to(pCairo, x - dHeight * 0.31, dBase);
    cairo_line_to(pCairo, x, dBase - dHeight);
    cairo_line_to(pCairo, x + dHeight * 0.31, dBase);
    cairo_close_path(pCairo);
}

void cloudPath(cairo_t* pCairo, double x, double y, double dWidth) {
    // The icon's three puffs: small, large, small, on a flat base.
    const double s = dWidth / 64.4;
    cairo_new_path(pCairo);
    cairo_arc(pCairo, x + 13.5 * s, y - 13.5 * s, 13.5 * s, 0, 2 * kPi);
    cairo_new_sub_path(pCairo);
    cairo_arc(pCairo, x + 32.4 * s, y - 24.3 * s, 18.9 * s, 0, 2 * kPi);
    cairo_new_sub_path(pCairo);
    cairo_arc(pCairo, x + 50.4 * s, y - 13.5 * s, 13.5 * s, 0, 2 * kPi);
    cairo_new_sub_path(pCairo);
    cairo_rectangle(pCairo, x + 13.5 * s, y - 13.5 * s, 36.9 * s, 13.5 * s);
}

} // namespace

void setColour(cairo_t* pCairo, Colour colour, double dAlpha) {
    cairo_set_source_rgba(pCairo, colour.r, colour.g, colour.b, dAlpha);
}

void roundedRectangle(cairo_t* pCairo, double x, double y, double dWidth, double dHeight,
                      double dRadius) {
    cairo_new_sub_path(pCairo);
    cairo_arc(pCairo, x + dWidth - dRadius, y + dRadius, dRadius, -kPi / 2, 0);
    cairo_arc(pCairo, x + dWidth - dRadius, y + dHeight - dRadius, dRadius, 0, kPi / 2);
    cairo_arc(pCairo, x + dRadius, y + dHeight - dRadius, dRadius, kPi / 2, kPi);
    cairo_arc(pCairo, x + dRadius, y + dRadius, dRadius, kPi, 3 * kPi / 2);
    cairo_close_path(pCairo);
}

void fillVerticalGradient(cairo_t* pCairo, double x, double y, double dWidth, double dHeight,
                          Colour top, Colour middle, double dMiddle, Colour bottom) {
    cairo_pattern_t* pPattern = cairo_pattern_create_linear(0, y, 0, y + dHeight);
    cairo_pattern_add_color_stop_rgb(pPattern, 0, top.r, top.g, top.b);
    cairo_pattern_add_color_stop_rgb(pPattern, dMiddle, middle.r, middle.g, middle.b);
    cairo_pattern_add_color_stop_rgb(pPattern, 1, bottom.r, bottom.g, bottom.b);
    cairo_set_source(pCairo, pPattern);
    cairo_rectangle(pCairo, x, y, dWidth, dHeight);
    cairo_fill(pCairo);
    cairo_pattern_destroy(pPattern);
}

void paintSun(cairo_t* pCairo, double x, double y, double dRadius) {
    cairo_save(pCairo);
    setColour(pCairo, rgb(0xFFC726));
    cairo_set_line_width(pCairo, dRadius * 0.22);
    cairo_set_line_cap(pCairo, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 8; ++i) {
        const double dAngle = i * kPi / 4;
        cairo_move_to(pCairo, x + std::cos(dAngle) * dRadius * 1.35,
                      y + std::sin(dAngle) * dRadius * 1.35);
        cairo_line_to(pCairo, x + std::cos(dAngle) * dRadius * 1.85,
                      y + std::sin(dAngle) * dRadius * 1.85);
        cairo_stroke(pCairo);
    }
    cairo_pattern_t* pDisc =
        cairo_pattern_create_radial(x - dRadius / 3, y - dRadius / 3, 0, x, y, dRadius);
    cairo_pattern_add_color_stop_rgb(pDisc, 0, 1.0, 0.97, 0.55);
    cairo_pattern_add_color_stop_rgb(pDisc, 1, 1.0, 0.68, 0.10);
    cairo_set_source(pCairo, pDisc);
    cairo_arc(pCairo, x, y, dRadius, 0, 2 * kPi);
    cairo_fill(pCairo);
    cairo_pattern_destroy(pDisc);
    cairo_restore(pCairo);
}

void paintCloud(cairo_t* pCairo, double x, double y, double dWidth) {
    cairo_save(pCairo);
    // The outline first and the body over it, so only its outer edge shows.
    cloudPath(pCairo, x, y, dWidth);
    setColour(pCairo, rgb(0x1A2640), 0.5);
    cairo_set_line_width(pCairo, dWidth * 0.056);
    cairo_stroke(pCairo);
    cloudPath(pCairo, x, y, dWidth);
    cairo_pattern_t* pBody = cairo_pattern_create_linear(0, y - dWidth * 0.7, 0, y);
    cairo_pattern_add_color_stop_rgb(pBody, 0, 1.0, 1.0, 1.0);
    cairo_pattern_add_color_stop_rgb(pBody, 1, 0.80, 0.82, 0.86);
    cairo_set_source(pCairo, pBody);
    cairo_fill(pCairo);
    cairo_pattern_destroy(pBody);
    cairo_restore(pCairo);
}

void paintHaze(cairo_t* pCairo, double x, double y, double dRadiusX, double dRadiusY,
               double dAlpha) {
    cairo_save(pCairo);
    cairo_translate(pCairo, x, y);
    cairo_scale(pCairo, dRadiusX, dRadiusY);
    cairo_pattern_t* pGlow = cairo_pattern_create_radial(0, 0, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(pGlow, 0, 1, 1, 1, dAlpha);
    cairo_pattern_add_color_stop_rgba(pGlow, 0.6, 1, 1, 1, dAlpha * 0.6);
    cairo_pattern_add_color_stop_rgba(pGlow, 1, 1, 1, 1, 0);
    cairo_set_source(pCairo, pGlow);
    cairo_arc(pCairo, 0, 0, 1, 0, 2 * kPi);
    cairo_fill(pCairo);
    cairo_pattern_destroy(pGlow);
    cairo_restore(pCairo);
}

void paintHills(cairo_t* pCairo, double dWidth, double dHeight, double dTop) {
    const double h = dHeight - dTop;
    cairo_save(pCairo);
    setColour(pCairo, rgb(0x6F9A8E));
    cairo_move_to(pCairo, 0, dTop + h * 0.35);
    cairo_curve_to(pCairo, dWidth * 0.25, dTop - h * 0.05, dWidth * 0.45, dTop + h * 0.05,
                   dWidth * 0.6, dTop + h * 0.25);
    cairo_curve_to(pCairo, dWidth * 0.75, dTop + h * 0.05, dWidth * 0.9, dTop, dWidth,
                   dTop + h * 0.15);
    cairo_line_to(pCairo, dWidth, dHeight);
    cairo_line_to(pCairo, 0, dHeight);
    cairo_close_path(pCairo);
    cairo_fill(pCairo);

    setColour(pCairo, rgb(0x3E6B52));
    cairo_move_to(pCairo, 0, dTop + h * 0.7);
    cairo_curve_to(pCairo, dWidth * 0.3, dTop + h * 0.4, dWidth * 0.55, dTop + h * 0.55,
                   dWidth * 0.7, dTop + h * 0.65);
    cairo_curve_to(pCairo, dWidth * 0.85, dTop + h * 0.5, dWidth * 0.95, dTop + h * 0.5, dWidth,
                   dTop + h * 0.55);
    cairo_line_to(pCairo, dWidth, dHeight);
    cairo_line_to(pCairo, 0, dHeight);
    cairo_close_path(pCairo);
    cairo_fill(pCairo);

    setColour(pCairo, rgb(0x24473A));
    pine(pCairo, dWidth * 0.62, dTop + h * 0.72, h * 0.42);
    pine(pCairo, dWidth * 0.67, dTop + h * 0.7, h * 0.3);
    pine(pCairo, dWidth * 0.9, dTop + h * 0.6, h * 0.38);
    cairo_fill(pCairo);
    cairo_restore(pCairo);
}

} // namespace artwork
