#pragma once

#include <cairo.h>

// The shapes the dialogs' pictures share with the program's icon and the
// sample packs: the round-rayed sun, the outlined puff cloud, the hills.
namespace artwork {

struct Colour {
    double r = 0;
    double g = 0;
    double b = 0;
};

// 0xRRGGBB.
constexpr Colour rgb(unsigned value) {
    return {((value >> 16) & 0xFF) / 255.0, ((value >> 8) & 0xFF) / 255.0, (value & 0xFF) / 255.0};
}

void setColour(cairo_t* pCairo, Colour colour, double dAlpha = 1.0);
void roundedRectangle(cairo_t* pCairo, double x, double y, double dWidth, double dHeight,
                      double dRadius);
// A vertical gradient from top to bottom over the rectangle, through middle
// at dMiddle (0..1).
void fillVerticalGradient(cairo_t* pCairo, double x, double y, double dWidth, double dHeight,
                          Colour top, Colour middle, double dMiddle, Colour bottom);
void paintSun(cairo_t* pCairo, double x, double y, double dRadius);
// A cloud of three puffs on a flat base, dWidth wide with its base at y.
void paintCloud(cairo_t* pCairo, double x, double y, double dWidth);
// A soft white glow, brightest in its middle.
void paintHaze(cairo_t* pCairo, double x, double y, double dRadiusX, double dRadiusY,
               double dAlpha);
// Far and near hills over the bottom of the area, with a few pines.
void paintHills(cairo_t* pCairo, double dWidth, double dHeight, double dTop);

} // namespace artwork
