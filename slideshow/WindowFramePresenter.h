#pragma once

#include "slideshow/FramePresenter.h"

#include <memory>

class wxWindow;

// Brings a blend thread's steps onto a window. GTK may be drawn on from the
// user-interface thread only, so each step is handed over to that thread,
// which draws it when its event loop comes round; should it fall behind,
// only the newest step is drawn. Steps are drawn from the thread's own
// surface, never copied: the thread waits, should it want to write the next
// step while the window is drawing the last (a few milliseconds at most),
// and otherwise keeps its own pace.
class WindowFramePresenter : public FramePresenter {
public:
    // On the user-interface thread, before the blend thread starts. With
    // bCaptureScreen it keeps a copy of what the window shows now, for
    // copyScreen. The window must outlive the presenter.
    WindowFramePresenter(wxWindow& window, bool bCaptureScreen);
    // On the user-interface thread, once the blend thread has ended: draws
    // a step still waiting (the last one shows the whole frame), unless the
    // window is being deleted.
    ~WindowFramePresenter() override;
    WindowFramePresenter(const WindowFramePresenter&) = delete;
    WindowFramePresenter& operator=(const WindowFramePresenter&) = delete;

    bool copyScreen(DrawingSurface& target, const Rect& rect) override;
    bool present(DrawingSurface& step, const Rect& rect) override;
    void reclaim(const DrawingSurface& step) override;

private:
    class Handover;

    std::shared_ptr<Handover> m_pHandover;
    DrawingSurface m_screenCopy;
};

// What the window shows now, read back from the display; invalid when the
// window is not on screen. User-interface thread only.
DrawingSurface captureWindow(wxWindow& window);
