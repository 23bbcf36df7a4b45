#include "tools/samplegen/SkyPainter.h"

#include "tools/samplegen/Noise.h"

#include <algorithm>

namespace {

Rgb hex(std::uint32_t rgb) {
    return {((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0};
}

Rgb shift(Rgb colour, double dAmount) {
    return {colour.r + dAmount * 0.6, colour.g + dAmount * 0.3, colour.b - dAmount * 0.4};
}

void baseColours(SkyStyle& s, std::uint32_t top, std::uint32_t horizon, std::uint32_t lit,
                 std::uint32_t shade, std::uint32_t far, std::uint32_t near) {
    s.top = hex(top);
    s.horizon = hex(horizon);
    s.cloudLit = hex(lit);
    s.cloudShade = hex(shade);
    s.hillFar = hex(far);
    s.hillNear = hex(near);
}

void styleFor(SkyStyle& s) {
    switch (s.kind) {
    case SkyKind::ClearDay:
        baseColours(s, 0x1758B8, 0xB4D8F2, 0xFFFFFF, 0xC9D6E6, 0x6F8FA8, 0x2F5A2A);
        s.bSun = true;
        s.dCloudCover = 0.12;
        break;
    case SkyKind::ClearNight:
        baseColours(s, 0x02061A, 0x1D3262, 0x39456A, 0x101830, 0x18223C, 0x05080F);
        s.bMoon = s.bStars = true;
        s.dCloudCover = 0.08;
        break;
    case SkyKind::PartlyCloudy:
        baseColours(s, 0x2A69BC, 0xBCD9EE, 0xFFFFFF, 0x9FAFC4, 0x728FA4, 0x3B6330);
        s.bSun = true;
        s.dCloudCover = 0.48;
        break;
    case SkyKind::Cloudy:
        baseColours(s, 0x66727F, 0xB9C0C7, 0xE4E7EA, 0x7F8893, 0x7C8790, 0x3E4B3A);
        s.dCloudCover = 0.86;
        s.dCloudSoftness = 0.3;
        break;
    case SkyKind::Rain:
        baseColours(s, 0x373E48, 0x7A848E, 0x9AA2AB, 0x3C434C, 0x56606A, 0x25302A);
        s.dCloudCover = 0.92;
        s.dCloudSoftness = 0.35;
        s.bRain = true;
        break;
    case SkyKind::Thunderstorm:
        baseColours(s, 0x14172A, 0x454A62, 0x6E7590, 0x1E2132, 0x2E3346, 0x0E1214);
        s.dCloudCover = 0.9;
        s.dCloudSoftness = 0.3;
        s.bLightning = s.bRain = true;
        break;
    case SkyKind::Snow:
        baseColours(s, 0x8894A4, 0xDCE1E7, 0xF4F6F8, 0xA8B1BC, 0xB9C3CE, 0xE9EEF3);
        s.dCloudCover = 0.8;
        s.dCloudSoftness = 0.4;
        s.bSnow = s.bSnowyGround = true;
        break;
    case SkyKind::Fog:
        baseColours(s, 0x9EA6AD, 0xD6D9DB, 0xE6E8EA, 0xB8BEC3, 0xB3B9BD, 0x7E8A84);
        s.dCloudCover = 0.55;
        s.dCloudSoftness = 0.5;
        s.bMist = true;
        break;
    }
}

} // namespace

SkyStyle skyStyle(SkyKind kind, int nVariant) {
    SkyStyle s;
    s.kind = kind;
    s.nSeed = static_cast<std::uint32_t>(static_cast<int>(kind) * 7919 + nVariant * 104729 + 1);
    styleFor(s);
    Random random(s.nSeed);
    s.dSunX = random.range(0.15, 0.85);
    s.dSunY = random.range(0.12, 0.32);
    s.dHorizon = random.range(0.66, 0.8);
    s.dCloudCover = std::min(1.0, s.dCloudCover * random.range(0.8, 1.2));
    // Every third clear or partly cloudy day is late in the afternoon.
    if ((kind == SkyKind::ClearDay || kind == SkyKind::PartlyCloudy) && nVariant % 3 == 2) {
        s.top = hex(0x274A8E);
        s.horizon = hex(0xF3B977);
        s.cloudLit = hex(0xFFE2C0);
        s.cloudShade = hex(0x8A7C8E);
        s.hillFar = hex(0x7A6E86);
        s.hillNear = hex(0x2B2A2E);
        s.dSunY = 0.55;
    } else {
        const double dWarmth = random.range(-0.04, 0.04);
        s.top = shift(s.top, dWarmth);
        s.horizon = shift(s.horizon, dWarmth);
    }
    return s;
}

DrawingSurface paintSky(const SkyStyle& style, int nWidth, int nHeight) {
    DrawingSurface surface = DrawingSurface::create(nWidth, nHeight);
    if (!surface.isValid()) {
        return surface;
    }
    cairo_t* pCairo = cairo_create(surface.get());
    paintGradient(pCairo, style, nWidth, nHeight);
    if (style.bStars) {
        paintStars(pCairo, style, nWidth, nHeight);
    }
    paintSunOrMoon(pCairo, style, nWidth, nHeight);
    paintClouds(pCairo, style, nWidth, nHeight);
    if (style.bLightning) {
        paintLightning(pCairo, style, nWidth, nHeight);
    }
    paintHills(pCairo, style, nWidth, nHeight);
    if (style.bMist) {
        paintMist(pCairo, style, nWidth, nHeight);
    }
    if (style.bRain) {
        paintRain(pCairo, style, nWidth, nHeight);
    }
    if (style.bSnow) {
        paintSnow(pCairo, style, nWidth, nHeight);
    }
    paintVignette(pCairo, nWidth, nHeight);
    cairo_destroy(pCairo);
    addGrain(surface, style.nSeed);
    return surface;
}
