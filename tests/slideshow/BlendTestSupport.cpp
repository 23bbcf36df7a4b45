#include "BlendTestSupport.h"

#include "imaging/Compositor.h"

namespace blend_testing {

bool SurfacePresenter::copyScreen(DrawingSurface& target, const Rect& rect) {
    ++m_record.nScreenCopies;
    Compositor compositor(target);
    const bool ok = compositor.copyPart(m_screen, rect, rect.left, rect.top);
    compositor.done();
    return ok;
}

bool SurfacePresenter::present(DrawingSurface& step, const Rect& rect) {
    ++m_record.nPresents;
    m_record.steps.push_back(&step);
    Compositor compositor(m_screen);
    const bool ok = compositor.copyPart(step, rect, rect.left, rect.top);
    compositor.done();
    m_record.centres.push_back(centre(m_screen));
    return ok;
}

DrawingSurface SteppingEnvironment::createSurface(int nWidth, int nHeight) {
    return m_bFailSurfaces ? DrawingSurface() : DrawingSurface::create(nWidth, nHeight);
}

bool SteppingEnvironment::alphaBlend(DrawingSurface& target, const DrawingSurface& below,
                                     const DrawingSurface& above, int nAlpha) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_alphas.push_back(nAlpha);
    }
    return BlendEnvironment::alphaBlend(target, below, above, nAlpha);
}

void SteppingEnvironment::pause(std::chrono::milliseconds, BlendEvent& stopEvent) {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (static_cast<int>(m_alphas.size()) - 1 != m_nHoldAfterStep) {
        return;
    }
    lock.unlock();
    m_held.set();
    // Bounded, so that a broken stop fails the test instead of hanging it.
    stopEvent.waitFor(std::chrono::seconds(30));
}

bool SteppingEnvironment::waitUntilHeld() {
    return m_held.waitFor(std::chrono::seconds(30));
}

std::vector<int> SteppingEnvironment::alphas() {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_alphas;
}

bool samePixels(const DrawingSurface& a, const DrawingSurface& b) {
    if (a.width() != b.width() || a.height() != b.height()) {
        return false;
    }
    a.flush();
    b.flush();
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if ((a.row(y)[x] & 0xFFFFFF) != (b.row(y)[x] & 0xFFFFFF)) {
                return false;
            }
        }
    }
    return true;
}

std::uint32_t centre(const DrawingSurface& surface) {
    surface.flush();
    return surface.row(surface.height() / 2)[surface.width() / 2] & 0xFFFFFF;
}

} // namespace blend_testing
