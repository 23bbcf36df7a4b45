#pragma once

#include "imaging/Compositor.h"
#include "imaging/Rect.h"

#include <string>

// Resource name of the JPEG condition icon: "#50NN" for sky codes 0 to
// nLastCode, else the not-available icon "#5098".
std::string jpegIconName(int nSkyCode, int nLastCode);

// File of a version-5 pack's PNG icon: a folder (the pack's), the pack's
// icon path, then "NN.png" for sky codes 0 to 47 or "na.png".
std::string pngIconPath(const std::string& csInstallFolder, const std::string& csIconPath,
                        int nSkyCode);

// Where an icon of the size given goes in its area: centred, halves rounded
// down. One wider or taller than the area is first scaled down, keeping its
// shape, until it fits, so that it never spills over its column or the box.
// Empty when the area or the icon is empty.
Rect placeIcon(const Rect& area, int nIconWidth, int nIconHeight);

// Draws the icon at the place placeIcon gives.
void drawIcon(Compositor& compositor, const DrawingSurface& icon, const Rect& area);
