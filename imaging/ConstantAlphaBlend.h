#pragma once

#include "imaging/DrawingSurface.h"

// Blends source over target with one alpha for every pixel (0 keeps the
// target, 255 replaces it): target = (source * alpha + target * (255 - alpha))
// / 255 per channel, rounded. The source's own alpha byte plays no part.
// Works on the area both surfaces cover; false (nothing changed) when either
// is invalid, not 32 bits a pixel, or alpha is outside 0..255.
bool blendConstantAlpha(DrawingSurface& target, const DrawingSurface& source, int nAlpha);
