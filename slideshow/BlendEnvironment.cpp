#include "slideshow/BlendEnvironment.h"

#include "imaging/ConstantAlphaBlend.h"

DrawingSurface BlendEnvironment::createSurface(int nWidth, int nHeight) {
    return DrawingSurface::create(nWidth, nHeight);
}

bool BlendEnvironment::alphaBlend(DrawingSurface& target, const DrawingSurface& below,
                                  const DrawingSurface& above, int nAlpha) {
    return blendConstantAlpha(target, below, above, nAlpha);
}

void BlendEnvironment::pause(std::chrono::milliseconds duration, BlendEvent& stopEvent) {
    stopEvent.waitFor(duration);
}

BlendEnvironment& realBlendEnvironment() {
    static BlendEnvironment environment;
    return environment;
}
