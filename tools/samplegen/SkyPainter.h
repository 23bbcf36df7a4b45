#pragma once

#include "imaging/DrawingSurface.h"

#include <cairo.h>
#include <cstdint>

enum class SkyKind { ClearDay, ClearNight, PartlyCloudy, Cloudy, Rain, Thunderstorm, Snow, Fog };

struct Rgb {
    double r = 0;
    double g = 0;
    double b = 0;
};

// How one picture looks: colours and amounts, derived from its kind and
// variant number.
struct SkyStyle {
    SkyKind kind = SkyKind::ClearDay;
    std::uint32_t nSeed = 0;
    Rgb top, horizon;         // sky gradient
    Rgb cloudLit, cloudShade; // cloud colours
    double dCloudCover = 0;   // 0 none .. 1 overcast
    double dCloudSoftness = 0.2;
    Rgb hillFar, hillNear;
    double dHorizon = 0.72; // horizon height as a share of the picture
    double dSunX = 0.7, dSunY = 0.25;
    bool bSun = false, bMoon = false, bStars = false;
    bool bRain = false, bSnow = false, bLightning = false, bMist = false;
    bool bSnowyGround = false;
};

SkyStyle skyStyle(SkyKind kind, int nVariant);

// A photograph-like picture of the sky and a landscape under it.
DrawingSurface paintSky(const SkyStyle& style, int nWidth, int nHeight);

// The layers, in painting order (SkyLayers.cpp and SkyWeather.cpp).
void paintGradient(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight);
void paintStars(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight);
void paintSunOrMoon(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight);
void paintClouds(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight);
void paintHills(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight);
void paintLightning(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight);
void paintRain(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight);
void paintSnow(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight);
void paintMist(cairo_t* pCairo, const SkyStyle& style, int nWidth, int nHeight);
void paintVignette(cairo_t* pCairo, int nWidth, int nHeight);
void addGrain(DrawingSurface& surface, std::uint32_t nSeed);

// Paints a layer worked out at 1/nScale of the size, scaled up smoothly.
void paintEnlarged(cairo_t* pCairo, DrawingSurface& layer, int nScale);
