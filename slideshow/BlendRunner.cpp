#include "slideshow/BlendRunner.h"

#include "app/Trace.h"

#include <new>

namespace {

constexpr const char* DRAW_PREFIX =
    "CDrawWnd::Draw(FrameScreen& dc, Rect rcScreen, bool changeImage) - ";

void trace(const char* pPrefix, const char* pMessage) {
    if (isLogging()) {
        logMessage(std::string(pPrefix) + pMessage);
    }
}

} // namespace

BlendRunner::BlendRunner(PresenterFactory makePresenter, BlendEnvironment& environment,
                         FramePool* pPool)
    : m_makePresenter(std::move(makePresenter)), m_environment(environment), m_pPool(pPool) {}

BlendRunner::~BlendRunner() {
    stopBlendThread();
}

void BlendRunner::stopBlendThread() {
    if (!m_drawBlendsThread) {
        return;
    }
    trace("", "CDrawWnd::stopBlendThread() Deleting an existing CDrawBlendsObject");
    m_drawBlendsThread->stopEvent().set();
    g_blendFinishedEvent.wait();
    // Deleting the object also waits for its thread, should the signal have
    // come from another transition.
    m_drawBlendsThread->doneEvent().poll();
    m_drawBlendsThread.reset();
}

bool BlendRunner::startBlend(FrameScreen& screen, const Rect& rcScreen, const DrawingSurface& frame,
                             DrawingSurface shown) {
    stopBlendThread();
    std::unique_ptr<FramePresenter> pPresenter;
    try {
        // The working surface is taken here, on the window's thread, where
        // the pool may make it for the window.
        const bool bShowsScreen = shown.isValid();
        if (!bShowsScreen && m_pPool != nullptr) {
            shown = m_pPool->take(rcScreen.right, rcScreen.bottom);
        }
        pPresenter = m_makePresenter ? m_makePresenter(screen, rcScreen, bShowsScreen) : nullptr;
        if (pPresenter) {
            m_drawBlendsThread = std::make_unique<CDrawBlendsThread>(
                std::move(pPresenter), rcScreen, frame, m_environment, std::move(shown),
                bShowsScreen, m_pPool);
        }
    } catch (const std::bad_alloc&) {
        m_drawBlendsThread.reset();
    }
    if (!m_drawBlendsThread) {
        trace(DRAW_PREFIX, "new CDrawBlendsThread( dc, rcScreen, m_newImageSaveHDC) failed.");
        return false;
    }
    if (!m_drawBlendsThread->CreateThread()) {
        trace(DRAW_PREFIX, "CreateThread() failed.  Deleting an existing CDrawBlendsObject");
        // Never started, so never signals: deleted without waiting.
        m_drawBlendsThread.reset();
        return false;
    }
    return true;
}
