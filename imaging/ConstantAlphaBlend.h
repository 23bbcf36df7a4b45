#pragma once

#include "imaging/DrawingSurface.h"

// Blends above over below with one alpha for every pixel (0 keeps below,
// 255 gives above) and writes the result to target: target = (above *
// alpha + below * (255 - alpha)) / 255 per channel, rounded. target may be
// below itself. Each channel, the alpha byte too, is blended on its own,
// so the sources' alpha says nothing about their opacity. Works on the area
// all of them cover. It touches the pixels alone and calls nothing of cairo,
// so a blend thread may run it on surfaces the window's thread also reads:
// call flush() on a source cairo drew on before, and markDirty() on target
// before cairo draws with it. False (nothing changed) when a surface is
// invalid or not 32 bits a pixel, or alpha is outside 0..255.
//
// One pass over the memory: two surfaces read, one written.
bool blendConstantAlpha(DrawingSurface& target, const DrawingSurface& below,
                        const DrawingSurface& above, int nAlpha);

// The same with below being target.
bool blendConstantAlpha(DrawingSurface& target, const DrawingSurface& above, int nAlpha);
