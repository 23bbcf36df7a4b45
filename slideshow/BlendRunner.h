#pragma once

#include "slideshow/CDrawBlendsThread.h"
#include "slideshow/FrameParts.h"

#include <functional>
#include <memory>

// Runs the drawing window's blend transitions, one at a time: starts a
// CDrawBlendsThread for each new frame and stops and deletes it before the
// frame it reads may change or go away.
class BlendRunner : public FrameBlender {
public:
    // Makes, on the user-interface thread, the presenter through which a new
    // transition reaches the window of screen; null when it cannot. Without
    // bShowsScreen the transition will ask it for what the window shows.
    using PresenterFactory = std::function<std::unique_ptr<FramePresenter>(
        FrameScreen& screen, const Rect& rcScreen, bool bShowsScreen)>;

    // The environment and the pool are not owned and must outlive the
    // runner; without a pool the transitions make their own surfaces.
    explicit BlendRunner(PresenterFactory makePresenter,
                         BlendEnvironment& environment = realBlendEnvironment(),
                         FramePool* pPool = nullptr);
    ~BlendRunner() override;
    BlendRunner(const BlendRunner&) = delete;
    BlendRunner& operator=(const BlendRunner&) = delete;

    // Asks the running transition to stop, waits until its thread has ended
    // (it then has put the whole frame on screen) and deletes it.
    void stopBlendThread() override;
    // Starts fading frame in; false (nothing started) when the transition
    // cannot be made or its thread cannot start.
    bool startBlend(FrameScreen& screen, const Rect& rcScreen, const DrawingSurface& frame,
                    DrawingSurface shown) override;

    // The transition started last and not yet stopped, or null.
    CDrawBlendsThread* drawBlendsThread() const { return m_drawBlendsThread.get(); }

private:
    PresenterFactory m_makePresenter;
    BlendEnvironment& m_environment;
    FramePool* m_pPool;
    std::unique_ptr<CDrawBlendsThread> m_drawBlendsThread;
};
