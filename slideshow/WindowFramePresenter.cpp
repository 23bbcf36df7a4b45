#include "slideshow/WindowFramePresenter.h"

#include "imaging/CairoHandles.h"
#include "slideshow/WindowScreen.h"

#include <algorithm>
#include <condition_variable>
#include <gtk/gtk.h>
#include <mutex>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/window.h>

namespace {

// The step is drawn from its own surface: when it shares its memory with
// the display, the display reads it without a copy. The blend thread wrote
// its pixels behind cairo's back, and writes them again once this returns:
// the display must be done with them by then.
bool paintOnWindow(wxWindow& window, DrawingSurface& step, const Rect& rect) {
    wxClientDC dc(&window);
    WindowScreen screen(window, dc);
    step.markDirty();
    const bool ok = screen.isValid() && screen.showFrame(step, rect);
    step.flush();
    return ok;
}

} // namespace

// What the two threads share: the newest step not drawn yet and the step
// being drawn, both the blend thread's surfaces. The pointers change only
// under the lock; the window is touched on the user-interface thread only.
class WindowFramePresenter::Handover : public std::enable_shared_from_this<Handover> {
public:
    explicit Handover(wxWindow& window) : m_pWindow(&window) {}

    // Blend thread.
    void hand(DrawingSurface& step, const Rect& rect) {
        bool bSchedule = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_pPending = &step;
            m_rect = rect;
            bSchedule = !m_bScheduled;
            m_bScheduled = true;
        }
        if (bSchedule) {
            wxTheApp->CallAfter([pSelf = shared_from_this()] { pSelf->drawPending(); });
        }
    }

    // Blend thread.
    void reclaim(const DrawingSurface& step) {
        std::unique_lock<std::mutex> lock(m_mutex);
        if (m_pPending == &step) {
            m_pPending = nullptr;
        }
        m_drawn.wait(lock, [&] { return m_pDrawing != &step; });
    }

    // User-interface thread.
    void drawPending() {
        DrawingSurface* pStep = nullptr;
        Rect rect;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            pStep = m_pWindow != nullptr ? m_pPending : nullptr;
            m_pPending = nullptr;
            m_bScheduled = false;
            rect = m_rect;
            m_pDrawing = pStep;
        }
        if (pStep != nullptr && !m_pWindow->IsBeingDeleted()) {
            paintOnWindow(*m_pWindow, *pStep, rect);
        }
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_pDrawing = nullptr;
        }
        m_drawn.notify_all();
    }

    // User-interface thread: a call still queued finds nothing to draw on.
    void detach() {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pWindow = nullptr;
        m_pPending = nullptr;
    }

private:
    wxWindow* m_pWindow;
    std::mutex m_mutex;
    std::condition_variable m_drawn;
    DrawingSurface* m_pPending = nullptr;
    const DrawingSurface* m_pDrawing = nullptr;
    Rect m_rect;
    bool m_bScheduled = false;
};

DrawingSurface captureWindow(wxWindow& window) {
    GdkWindow* pGdkWindow = window.GetHandle() != nullptr ? window.GTKGetDrawingWindow() : nullptr;
    const wxSize size = window.GetClientSize();
    if (pGdkWindow == nullptr || !window.IsShownOnScreen() || size.x <= 0 || size.y <= 0) {
        return DrawingSurface();
    }
    GObjectPtr<GdkPixbuf> pPixbuf(gdk_pixbuf_get_from_window(pGdkWindow, 0, 0, size.x, size.y));
    DrawingSurface copy = DrawingSurface::create(size.x, size.y);
    if (!pPixbuf || !copy.isValid()) {
        return DrawingSurface();
    }
    CairoContextPtr pContext(cairo_create(copy.get()));
    gdk_cairo_set_source_pixbuf(pContext.get(), pPixbuf.get(), 0, 0);
    cairo_set_operator(pContext.get(), CAIRO_OPERATOR_SOURCE);
    cairo_paint(pContext.get());
    cairo_surface_flush(copy.get());
    return cairo_status(pContext.get()) == CAIRO_STATUS_SUCCESS ? std::move(copy)
                                                                : DrawingSurface();
}

WindowFramePresenter::WindowFramePresenter(wxWindow& window, bool bCaptureScreen)
    : m_pHandover(std::make_shared<Handover>(window)),
      m_screenCopy(bCaptureScreen ? captureWindow(window) : DrawingSurface()) {}

WindowFramePresenter::~WindowFramePresenter() {
    m_pHandover->drawPending();
    m_pHandover->detach();
}

bool WindowFramePresenter::copyScreen(DrawingSurface& target, const Rect& rect) {
    // A plain copy of the pixels: the target may be a surface the window's
    // thread draws with, and this thread makes no cairo calls on it.
    const Rect part{std::max(rect.left, 0), std::max(rect.top, 0),
                    std::min({rect.right, target.width(), m_screenCopy.width()}),
                    std::min({rect.bottom, target.height(), m_screenCopy.height()})};
    const bool ok = m_screenCopy.isValid() && !part.isEmpty();
    for (int y = part.top; ok && y < part.bottom; ++y) {
        std::copy_n(m_screenCopy.row(y) + part.left, part.width(), target.row(y) + part.left);
    }
    // Needed once: its memory goes now rather than with the transition.
    m_screenCopy = DrawingSurface();
    return ok;
}

bool WindowFramePresenter::present(DrawingSurface& step, const Rect& rect) {
    if (wxTheApp == nullptr) {
        return false;
    }
    m_pHandover->hand(step, rect);
    return true;
}

void WindowFramePresenter::reclaim(const DrawingSurface& step) {
    m_pHandover->reclaim(step);
}
