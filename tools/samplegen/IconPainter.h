#pragma once

#include "imaging/DrawingSurface.h"

#include <cstdint>

enum class IconKind {
    Sun,
    Moon,
    SunCloud,
    MoonCloud,
    Cloud,
    Rain,
    Sleet,
    Snow,
    Storm,
    Fog,
    Wind,
    NotAvailable
};

// The picture for a sky code from 0 to 47; NotAvailable for any other.
IconKind iconForSkyCode(int nSkyCode);

// A condition icon nSize pixels square: on a tile of background colour
// (0xRRGGBB) for JPEG icons, or on transparency (ARGB32) for PNG icons.
DrawingSurface paintIcon(IconKind kind, int nSize, bool bTransparent, std::uint32_t background);
