#include "slideshow/WindowFramePresenter.h"

#include "imaging/CairoHandles.h"
#include "imaging/Compositor.h"
#include "slideshow/WindowScreen.h"

#include <condition_variable>
#include <gtk/gtk.h>
#include <mutex>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/window.h>

namespace {

bool paintOnWindow(wxWindow& window, const DrawingSurface& step, const Rect& rect) {
    wxClientDC dc(&window);
    WindowScreen screen(window, dc);
    // Drawn through a view of its own: the blend thread may be reading the
    // same pixels, and shares no cairo state with this thread.
    return screen.isValid() && screen.showFrame(step.sharedView(), rect);
}

} // namespace

// What the two threads share: the newest step not drawn yet and the step
// being drawn, both the blend thread's surfaces. The pointers change only
// under the lock; the window is touched on the user-interface thread only.
class WindowFramePresenter::Handover : public std::enable_shared_from_this<Handover> {
public:
    explicit Handover(wxWindow& window) : m_pWindow(&window) {}

    // Blend thread.
    void hand(const DrawingSurface& step, const Rect& rect) {
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
        const DrawingSurface* pStep = nullptr;
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
    const DrawingSurface* m_pPending = nullptr;
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
    Compositor compositor(target);
    const bool ok = compositor.copyPart(m_screenCopy, rect, rect.left, rect.top);
    compositor.done();
    // Needed once: its memory goes now rather than with the transition.
    m_screenCopy = DrawingSurface();
    return ok;
}

bool WindowFramePresenter::present(const DrawingSurface& step, const Rect& rect) {
    if (wxTheApp == nullptr) {
        return false;
    }
    m_pHandover->hand(step, rect);
    return true;
}

void WindowFramePresenter::reclaim(const DrawingSurface& step) {
    m_pHandover->reclaim(step);
}
