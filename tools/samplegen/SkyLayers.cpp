// The sky, its lights, its clouds and the land under it.
#include "tools/samplegen/Noise.h"
#include "tools/samplegen/SkyPainter.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;

void setColour(cairo_t* pCairo, const Rgb& c, double dAlpha = 1.0) {
    cairo_set_source_rgba(pCairo, c.r, c.g, c.b, dAlpha);
}

Rgb blend(const Rgb& a, const Rgb& b, double t) {
    return {mix(a.r, b.r, t), mix(a.g, b.g, t), mix(a.b, b.b, t)};
}

std::uint32_t premultiplied(const Rgb& c, double dAlpha) {
    const auto channel = [dAlpha](double v) {
        return static_cast<std::uint32_t>(std::clamp(v, 0.0, 1.0) * dAlpha * 255.0 + 0.5);
    };
    const auto alpha = static_cast<std::uint32_t>(std::clamp(dAlpha, 0.0, 1.0) * 255.0 + 0.5);
    return (alpha << 24) | (channel(c.r) << 16) | (channel(c.g) << 8) | channel(c.b);
}

} // namespace

void paintGradient(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight) {
    const double dHorizon = style.dHorizon * nHeight;
    cairo_pattern_t* pSky = cairo_pattern_create_linear(0, 0, 0, dHorizon);
    const Rgb middle = blend(style.top, style.horizon, 0.55);
    cairo_pattern_add_color_stop_rgb(pSky, 0, style.top.r, style.top.g, style.top.b);
    cairo_pattern_add_color_stop_rgb(pSky, 0.6, middle.r, middle.g, middle.b);
    cairo_pattern_add_color_stop_rgb(pSky, 1, style.horizon.r, style.horizon.g, style.horizon.b);
    cairo_set_source(pCairo, pSky);
    cairo_rectangle(pCairo, 0, 0, nWidth, nHeight);
    cairo_fill(pCairo);
    cairo_pattern_destroy(pSky);
}

void paintStars(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight) {
    Random random(style.nSeed ^ 0x5A5A);
    const double dHorizon = style.dHorizon * nHeight;
    for (int i = 0; i < 900; ++i) {
        const double x = random.unit() * nWidth;
        const double y = std::pow(random.unit(), 1.3) * dHorizon;
        const double dBrightness = std::pow(random.unit(), 3.0) * (1.0 - 0.7 * y / dHorizon);
        const double dRadius = 0.5 + dBrightness * 1.4;
        cairo_set_source_rgba(pCairo, 0.9, 0.93, 1.0, 0.25 + 0.75 * dBrightness);
        cairo_arc(pCairo, x, y, dRadius, 0, 2 * kPi);
        cairo_fill(pCairo);
        if (dBrightness > 0.6) {
            cairo_pattern_t* pGlow = cairo_pattern_create_radial(x, y, 0, x, y, dRadius * 6);
            cairo_pattern_add_color_stop_rgba(pGlow, 0, 0.8, 0.85, 1.0, 0.35);
            cairo_pattern_add_color_stop_rgba(pGlow, 1, 0.8, 0.85, 1.0, 0);
            cairo_set_source(pCairo, pGlow);
            cairo_arc(pCairo, x, y, dRadius * 6, 0, 2 * kPi);
            cairo_fill(pCairo);
            cairo_pattern_destroy(pGlow);
        }
    }
}

namespace {

void glow(cairo_t* pCairo, double x, double y, double dRadius, const Rgb& c, double dAlpha) {
    cairo_pattern_t* pGlow = cairo_pattern_create_radial(x, y, 0, x, y, dRadius);
    cairo_pattern_add_color_stop_rgba(pGlow, 0, c.r, c.g, c.b, dAlpha);
    cairo_pattern_add_color_stop_rgba(pGlow, 0.25, c.r, c.g, c.b, dAlpha * 0.45);
    cairo_pattern_add_color_stop_rgba(pGlow, 1, c.r, c.g, c.b, 0);
    cairo_set_source(pCairo, pGlow);
    cairo_arc(pCairo, x, y, dRadius, 0, 2 * kPi);
    cairo_fill(pCairo);
    cairo_pattern_destroy(pGlow);
}

void paintMoon(cairo_t* pCairo, const SkyStyle& style, double x, double y, double dRadius) {
    glow(pCairo, x, y, dRadius * 9, {0.6, 0.7, 0.95}, 0.3);
    cairo_pattern_t* pDisc =
        cairo_pattern_create_radial(x - dRadius * 0.3, y - dRadius * 0.3, 0, x, y, dRadius);
    cairo_pattern_add_color_stop_rgb(pDisc, 0, 1.0, 0.99, 0.94);
    cairo_pattern_add_color_stop_rgb(pDisc, 1, 0.85, 0.84, 0.78);
    cairo_set_source(pCairo, pDisc);
    cairo_arc(pCairo, x, y, dRadius, 0, 2 * kPi);
    cairo_fill(pCairo);
    cairo_pattern_destroy(pDisc);
    Random random(style.nSeed ^ 0x3003);
    for (int i = 0; i < 9; ++i) {
        const double dAngle = random.unit() * 2 * kPi;
        const double dDistance = random.unit() * dRadius * 0.7;
        cairo_set_source_rgba(pCairo, 0.55, 0.55, 0.5, 0.18);
        cairo_arc(pCairo, x + std::cos(dAngle) * dDistance, y + std::sin(dAngle) * dDistance,
                  dRadius * random.range(0.08, 0.22), 0, 2 * kPi);
        cairo_fill(pCairo);
    }
}

} // namespace

void paintSunOrMoon(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight) {
    const double x = style.dSunX * nWidth;
    const double y = std::min(style.dSunY, style.dHorizon - 0.08) * nHeight;
    if (style.bMoon) {
        paintMoon(pCairo, style, x, y, nHeight * 0.038);
    }
    if (!style.bSun) {
        return;
    }
    const bool bLow = style.dSunY > 0.4;
    const Rgb warm = bLow ? Rgb{1.0, 0.72, 0.4} : Rgb{1.0, 0.97, 0.85};
    glow(pCairo, x, y, nHeight * (bLow ? 0.6 : 0.45), warm, bLow ? 0.7 : 0.55);
    glow(pCairo, x, y, nHeight * 0.09, {1.0, 1.0, 0.95}, 0.9);
    cairo_set_source_rgb(pCairo, 1.0, bLow ? 0.9 : 1.0, bLow ? 0.7 : 0.96);
    cairo_arc(pCairo, x, y, nHeight * 0.03, 0, 2 * kPi);
    cairo_fill(pCairo);
}

void paintEnlarged(cairo_t* pCairo, DrawingSurface& layer, int nScale) {
    layer.markDirty();
    cairo_save(pCairo);
    cairo_scale(pCairo, nScale, nScale);
    cairo_set_source_surface(pCairo, layer.get(), -0.5, -0.5);
    cairo_pattern_set_filter(cairo_get_source(pCairo), CAIRO_FILTER_GOOD);
    cairo_paint(pCairo);
    cairo_restore(pCairo);
}

void paintClouds(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight) {
    if (style.dCloudCover <= 0.0) {
        return;
    }
    // Worked out at a quarter of the size and scaled up smoothly: clouds
    // have no sharp detail, and this keeps the generator quick.
    const int nScale = 4;
    const int w = nWidth / nScale + 2;
    const int h = nHeight / nScale + 2;
    DrawingSurface layer = DrawingSurface::create(w, h, CAIRO_FORMAT_ARGB32);
    const double dThreshold = mix(0.7, 0.3, style.dCloudCover);
    const double dHorizon = style.dHorizon * h;
    for (int y = 0; y < h; ++y) {
        std::uint32_t* pRow = layer.row(y);
        // Clouds thin out towards the horizon, where they are far away.
        const double dFade = 1.0 - smoothStep(dHorizon * 0.55, dHorizon * 1.02, y);
        for (int x = 0; x < w; ++x) {
            const double u = static_cast<double>(x) / h * 2.2;
            const double v = static_cast<double>(y) / h * 4.4 + y * y / (h * h * 1.0);
            const double d = fractalNoise(u, v, style.nSeed, 6);
            const double dAbove = fractalNoise(u, v - 0.12, style.nSeed, 6);
            const double dAlpha =
                smoothStep(dThreshold, dThreshold + style.dCloudSoftness, d) * dFade;
            const double dLight =
                std::clamp(0.45 + (d - dAbove) * 6.0 + (1 - dAlpha) * 0.25, 0.0, 1.0);
            const Rgb colour = blend(style.cloudShade, style.cloudLit, dLight);
            pRow[x] = premultiplied(colour, dAlpha * 0.97);
        }
    }
    paintEnlarged(pCairo, layer, nScale);
}

namespace {

// A line of conifers standing on a ridge.
void paintTrees(cairo_t* pCairo, const SkyStyle& style, int nWidth, double dBase, double dAmplitude,
                double dFrequency, std::uint32_t nSeed, const Rgb& ridge) {
    Random random(nSeed ^ 0x7EE5);
    const Rgb colour = blend(ridge, style.hillNear, 0.5);
    setColour(pCairo, blend(colour, Rgb{0, 0, 0}, style.bSnowyGround ? 0.35 : 0.2));
    const int nClumps = 5 + static_cast<int>(random.unit() * 4);
    for (int c = 0; c < nClumps; ++c) {
        const double dCentre = random.unit() * nWidth;
        const int nTrees = 6 + static_cast<int>(random.unit() * 14);
        for (int t = 0; t < nTrees; ++t) {
            const double x = dCentre + random.range(-90, 90);
            const double dRidge = fractalNoise(x / nWidth * dFrequency, 2 * 3.7, nSeed, 5);
            const double y = dBase - dAmplitude * (dRidge - 0.3) * 1.6 + 6;
            const double dHeight = random.range(22, 60);
            const double dWidth = dHeight * random.range(0.28, 0.4);
            cairo_move_to(pCairo, x, y - dHeight);
            for (int tier = 1; tier <= 3; ++tier) {
                const double dTierY = y - dHeight + dHeight * tier / 3.0;
                cairo_line_to(pCairo, x + dWidth * tier / 3.0, dTierY);
                cairo_line_to(pCairo, x + dWidth * tier / 7.0, dTierY - 2);
            }
            cairo_line_to(pCairo, x, y + 4);
            for (int tier = 3; tier >= 1; --tier) {
                const double dTierY = y - dHeight + dHeight * tier / 3.0;
                cairo_line_to(pCairo, x - dWidth * tier / 7.0, dTierY - 2);
                cairo_line_to(pCairo, x - dWidth * tier / 3.0, dTierY);
            }
            cairo_close_path(pCairo);
            cairo_fill(pCairo);
        }
    }
}

} // namespace

void paintHills(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight) {
    const int nLayers = 4;
    for (int k = 0; k < nLayers; ++k) {
        const double dDepth = static_cast<double>(k) / (nLayers - 1); // 0 far, 1 near
        const double dBase = (style.dHorizon + 0.015 + dDepth * 0.09) * nHeight;
        const double dAmplitude = nHeight * mix(0.13, 0.05, dDepth);
        const double dFrequency = mix(3.0, 1.6, dDepth);
        const auto nSeed = style.nSeed + 31u * static_cast<std::uint32_t>(k + 1);
        cairo_move_to(pCairo, 0, nHeight);
        double dTop = nHeight;
        for (int x = 0; x <= nWidth; x += 4) {
            const double dRidge =
                fractalNoise(static_cast<double>(x) / nWidth * dFrequency, k * 3.7, nSeed, 5);
            const double y = dBase - dAmplitude * (dRidge - 0.3) * 1.6;
            dTop = std::min(dTop, y);
            cairo_line_to(pCairo, x, y);
        }
        cairo_line_to(pCairo, nWidth, nHeight);
        cairo_close_path(pCairo);
        // Far land takes on the colour of the air in front of it.
        const Rgb colour =
            blend(blend(style.hillFar, style.horizon, 0.35 * (1 - dDepth)), style.hillNear, dDepth);
        const Rgb lower = blend(colour, Rgb{0, 0, 0}, style.bSnowyGround ? 0.08 : 0.25);
        cairo_pattern_t* pFill = cairo_pattern_create_linear(0, dTop, 0, nHeight);
        cairo_pattern_add_color_stop_rgb(pFill, 0, colour.r, colour.g, colour.b);
        cairo_pattern_add_color_stop_rgb(pFill, 1, lower.r, lower.g, lower.b);
        cairo_set_source(pCairo, pFill);
        cairo_fill(pCairo);
        cairo_pattern_destroy(pFill);
        if (k == 2) {
            paintTrees(pCairo, style, nWidth, dBase, dAmplitude, dFrequency, nSeed, colour);
        }
    }
}

void paintVignette(cairo_t* pCairo, int nWidth, int nHeight) {
    cairo_pattern_t* pShade = cairo_pattern_create_radial(
        nWidth / 2.0, nHeight / 2.0, nHeight * 0.45, nWidth / 2.0, nHeight / 2.0, nWidth * 0.62);
    cairo_pattern_add_color_stop_rgba(pShade, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(pShade, 1, 0, 0, 0, 0.3);
    cairo_set_source(pCairo, pShade);
    cairo_paint(pCairo);
    cairo_pattern_destroy(pShade);
}

void addGrain(DrawingSurface& surface, std::uint32_t nSeed) {
    surface.flush();
    std::uint32_t nState = nSeed * 2654435761u + 1;
    for (int y = 0; y < surface.height(); ++y) {
        std::uint32_t* pRow = surface.row(y);
        for (int x = 0; x < surface.width(); ++x) {
            nState = nState * 1664525u + 1013904223u;
            const int nDelta = static_cast<int>((nState >> 24) % 7) - 3;
            std::uint32_t pixel = 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int c =
                    std::clamp(static_cast<int>((pRow[x] >> shift) & 0xFF) + nDelta, 0, 255);
                pixel |= static_cast<std::uint32_t>(c) << shift;
            }
            pRow[x] = pixel;
        }
    }
    surface.markDirty();
}
