// What falls from the sky, and what hangs in the air.
#include "tools/samplegen/Noise.h"
#include "tools/samplegen/SkyPainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Point {
    double x;
    double y;
};

// A jagged path from a to b: midpoints pushed sideways, recursively.
void jagged(std::vector<Point>& path, Point a, Point b, double dSpread, int nDepth,
            Random& random) {
    if (nDepth == 0) {
        path.push_back(b);
        return;
    }
    const Point middle{(a.x + b.x) / 2 + random.range(-dSpread, dSpread), (a.y + b.y) / 2};
    jagged(path, a, middle, dSpread / 2, nDepth - 1, random);
    jagged(path, middle, b, dSpread / 2, nDepth - 1, random);
}

void strokeBolt(cairo_t* pCairo, const std::vector<Point>& path, double dWidth) {
    cairo_set_line_join(pCairo, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(pCairo, CAIRO_LINE_CAP_ROUND);
    const double widths[] = {dWidth * 14, dWidth * 6, dWidth * 2.5, dWidth};
    const double alphas[] = {0.08, 0.18, 0.5, 1.0};
    for (int pass = 0; pass < 4; ++pass) {
        cairo_move_to(pCairo, path.front().x, path.front().y);
        for (const Point& point : path) {
            cairo_line_to(pCairo, point.x, point.y);
        }
        cairo_set_line_width(pCairo, widths[pass]);
        cairo_set_source_rgba(pCairo, pass == 3 ? 1.0 : 0.75, pass == 3 ? 1.0 : 0.8, 1.0,
                              alphas[pass]);
        cairo_stroke(pCairo);
    }
}

} // namespace

void paintLightning(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight) {
    Random random(style.nSeed ^ 0xB017);
    const Point top{random.range(0.25, 0.75) * nWidth, nHeight * 0.12};
    const Point bottom{top.x + random.range(-0.12, 0.12) * nWidth,
                       (style.dHorizon + 0.04) * nHeight};
    // The cloud lit from inside around the strike.
    cairo_pattern_t* pFlash =
        cairo_pattern_create_radial(top.x, top.y, 0, top.x, top.y, nHeight * 0.55);
    cairo_pattern_add_color_stop_rgba(pFlash, 0, 0.8, 0.82, 1.0, 0.45);
    cairo_pattern_add_color_stop_rgba(pFlash, 1, 0.8, 0.82, 1.0, 0);
    cairo_set_source(pCairo, pFlash);
    cairo_paint(pCairo);
    cairo_pattern_destroy(pFlash);

    std::vector<Point> bolt{top};
    jagged(bolt, top, bottom, nWidth * 0.06, 7, random);
    strokeBolt(pCairo, bolt, 2.2);
    for (int nBranch = 0; nBranch < 3; ++nBranch) {
        const Point start = bolt[static_cast<std::size_t>(random.range(0.2, 0.6) * bolt.size())];
        const Point end{start.x + random.range(-0.12, 0.12) * nWidth,
                        start.y + random.range(0.08, 0.2) * nHeight};
        std::vector<Point> branch{start};
        jagged(branch, start, end, nWidth * 0.03, 5, random);
        strokeBolt(pCairo, branch, 1.0);
    }
}

void paintRain(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight) {
    Random random(style.nSeed ^ 0x4A17);
    // Darker air behind the rain.
    cairo_set_source_rgba(pCairo, 0.1, 0.12, 0.15, 0.18);
    cairo_paint(pCairo);
    const double dSlant = random.range(0.12, 0.3);
    cairo_set_line_cap(pCairo, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < 2600; ++i) {
        const double dNear = std::pow(random.unit(), 2.0);
        const double dLength = mix(18, 70, dNear);
        const double x = random.unit() * (nWidth + 200) - 100;
        const double y = random.unit() * nHeight - dLength;
        cairo_move_to(pCairo, x, y);
        cairo_line_to(pCairo, x - dLength * dSlant, y + dLength);
        cairo_set_line_width(pCairo, mix(0.8, 2.2, dNear));
        cairo_set_source_rgba(pCairo, 0.78, 0.82, 0.88, mix(0.12, 0.35, dNear));
        cairo_stroke(pCairo);
    }
}

void paintSnow(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight) {
    Random random(style.nSeed ^ 0x5E0);
    for (int i = 0; i < 1800; ++i) {
        const double dNear = std::pow(random.unit(), 3.0);
        const double dRadius = mix(1.0, 7.0, dNear);
        const double x = random.unit() * nWidth;
        const double y = random.unit() * nHeight;
        cairo_pattern_t* pFlake = cairo_pattern_create_radial(x, y, 0, x, y, dRadius);
        cairo_pattern_add_color_stop_rgba(pFlake, 0, 1, 1, 1, mix(0.7, 0.95, dNear));
        cairo_pattern_add_color_stop_rgba(pFlake, 0.55, 1, 1, 1, mix(0.5, 0.6, dNear));
        cairo_pattern_add_color_stop_rgba(pFlake, 1, 1, 1, 1, 0);
        cairo_set_source(pCairo, pFlake);
        cairo_arc(pCairo, x, y, dRadius, 0, 2 * kPi);
        cairo_fill(pCairo);
        cairo_pattern_destroy(pFlake);
    }
}

void paintMist(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight) {
    // Bands of mist in front of the hills, thickest just above the ground.
    const int nScale = 4;
    const int w = nWidth / nScale + 2;
    const int h = nHeight / nScale + 2;
    DrawingSurface layer = DrawingSurface::create(w, h, CAIRO_FORMAT_ARGB32);
    const double dGround = (style.dHorizon + 0.06) * h;
    for (int y = 0; y < h; ++y) {
        std::uint32_t* pRow = layer.row(y);
        const double dDistance = std::abs(y - dGround) / h;
        const double dBand = std::exp(-dDistance * dDistance * 28.0);
        for (int x = 0; x < w; ++x) {
            const double dNoise =
                fractalNoise(static_cast<double>(x) / h * 1.4, static_cast<double>(y) / h * 7.0,
                             style.nSeed + 9, 5);
            const double dAlpha = std::clamp(dBand * (0.45 + dNoise * 0.75), 0.0, 0.92);
            const auto a = static_cast<std::uint32_t>(dAlpha * 255.0);
            const auto c = static_cast<std::uint32_t>(dAlpha * 236.0);
            pRow[x] = (a << 24) | (c << 16) | (c << 8) | c;
        }
    }
    paintEnlarged(pCairo, layer, nScale);
    // Haze over everything.
    cairo_set_source_rgba(pCairo, 0.86, 0.87, 0.88, 0.22);
    cairo_paint(pCairo);
}
