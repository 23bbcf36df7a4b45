#pragma once

#include "imaging/DrawingSurface.h"
#include "slideshow/BlendEnvironment.h"
#include "slideshow/FramePresenter.h"

#include <cstdint>

// What the blend benchmarks share: a frame of busy pixels, a presenter that
// takes each step as the window's does on the blend thread (it keeps it, the
// window draws it later on its own thread), and no pauses between steps.
namespace blend_bench {

inline DrawingSurface pattern(int nWidth, int nHeight, std::uint32_t seed) {
    DrawingSurface surface = DrawingSurface::create(nWidth, nHeight);
    surface.flush();
    for (int y = 0; y < nHeight; ++y) {
        std::uint32_t* pRow = surface.row(y);
        for (int x = 0; x < nWidth; ++x) {
            pRow[x] = 0xFF000000u | ((static_cast<std::uint32_t>(x * y) ^ seed) & 0xFFFFFF);
        }
    }
    surface.markDirty();
    return surface;
}

class KeepingPresenter : public FramePresenter {
public:
    bool copyScreen(DrawingSurface&, const Rect&) override { return true; }
    bool present(DrawingSurface& step, const Rect&) override {
        m_pStep = &step;
        return true;
    }
    void reclaim(const DrawingSurface&) override {}

private:
    const DrawingSurface* m_pStep = nullptr;
};

class NoPause : public BlendEnvironment {
public:
    void pause(std::chrono::milliseconds, BlendEvent&) override {}
};

} // namespace blend_bench
