#pragma once

#include "slideshow/BlendEnvironment.h"
#include "slideshow/FramePresenter.h"

#include <cstdint>
#include <mutex>
#include <vector>

namespace blend_testing {

// What a presenter saw, read by the test once the thread has ended.
struct PresenterRecord {
    int nScreenCopies = 0;
    int nPresents = 0;
    int nReclaims = 0;
    // The surface each step was written in, by address.
    std::vector<const DrawingSurface*> steps;
    // The centre pixel (0xRRGGBB) of each step shown.
    std::vector<std::uint32_t> centres;
    bool bDestroyed = false;
};

// Shows the steps on a surface that plays the window.
class SurfacePresenter : public FramePresenter {
public:
    SurfacePresenter(DrawingSurface& screen, PresenterRecord& record)
        : m_screen(screen), m_record(record) {}
    ~SurfacePresenter() override { m_record.bDestroyed = true; }
    bool copyScreen(DrawingSurface& target, const Rect& rect) override;
    bool present(DrawingSurface& step, const Rect& rect) override;
    void reclaim(const DrawingSurface&) override { ++m_record.nReclaims; }

private:
    DrawingSurface& m_screen;
    PresenterRecord& m_record;
};

// Blends for real without pausing, and records the alphas. It can hold the
// transition after one step until a stop is asked for, and fail to make
// surfaces.
class SteppingEnvironment : public BlendEnvironment {
public:
    DrawingSurface createSurface(int nWidth, int nHeight) override;
    bool alphaBlend(DrawingSurface& target, const DrawingSurface& below,
                    const DrawingSurface& above, int nAlpha) override;
    void pause(std::chrono::milliseconds duration, BlendEvent& stopEvent) override;

    // Waits until the transition holds (bounded, so a hang fails the test).
    bool waitUntilHeld();
    std::vector<int> alphas();

    int m_nHoldAfterStep = -1;
    bool m_bFailSurfaces = false;

private:
    std::mutex m_mutex;
    std::vector<int> m_alphas;
    BlendEvent m_held{BlendEvent::ResetMode::MANUAL};
};

// True when every pixel of both is the same.
bool samePixels(const DrawingSurface& a, const DrawingSurface& b);
std::uint32_t centre(const DrawingSurface& surface);

} // namespace blend_testing
