#pragma once

#include "slideshow/FramePresenter.h"

#include <memory>

class wxWindow;

// Brings a blend thread's steps onto a window. GTK may be drawn on from the
// user-interface thread only, so each step is copied and handed over to that
// thread, which draws it when its event loop comes round; should it fall
// behind, only the newest step is drawn. The blend thread keeps its own pace
// and never waits for the drawing.
class WindowFramePresenter : public FramePresenter {
public:
    // On the user-interface thread, before the blend thread starts: keeps a
    // copy of what the window shows now. The window must outlive the
    // presenter.
    explicit WindowFramePresenter(wxWindow& window);
    // On the user-interface thread, once the blend thread has ended: draws
    // a step still waiting (the last one shows the whole frame), unless the
    // window is being deleted.
    ~WindowFramePresenter() override;
    WindowFramePresenter(const WindowFramePresenter&) = delete;
    WindowFramePresenter& operator=(const WindowFramePresenter&) = delete;

    bool copyScreen(DrawingSurface& target, const Rect& rect) override;
    bool present(const DrawingSurface& step, const Rect& rect) override;

private:
    class Handover;

    std::shared_ptr<Handover> m_pHandover;
    DrawingSurface m_screenCopy;
};

// What the window shows now, read back from the display; invalid when the
// window is not on screen. User-interface thread only.
DrawingSurface captureWindow(wxWindow& window);
