#include "slideshow/WindowFramePresenter.h"

#include "imaging/CairoHandles.h"
#include "imaging/Compositor.h"
#include "slideshow/WindowScreen.h"

#include <gtk/gtk.h>
#include <mutex>
#include <wx/app.h>
#include <wx/dcclient.h>
#include <wx/window.h>

namespace {

bool paintOnWindow(wxWindow& window, const DrawingSurface& step, const Rect& rect) {
    wxClientDC dc(&window);
    WindowScreen screen(window, dc);
    return screen.isValid() && screen.showFrame(step, rect);
}

} // namespace

// What the two threads share: the newest step not yet drawn, and a spare
// buffer for the next one. Surfaces change hands only under the lock; the
// window is touched on the user-interface thread only.
class WindowFramePresenter::Handover : public std::enable_shared_from_this<Handover> {
public:
    explicit Handover(wxWindow& window) : m_pWindow(&window) {}

    // Blend thread.
    bool hand(const DrawingSurface& step, const Rect& rect) {
        DrawingSurface buffer;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            buffer = std::move(m_spare);
        }
        if (buffer.width() != step.width() || buffer.height() != step.height()) {
            buffer = DrawingSurface::create(step.width(), step.height());
        }
        if (!buffer.copyPixelsFrom(step)) {
            return false;
        }
        DrawingSurface overtaken;
        bool bSchedule = false;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            overtaken = std::exchange(m_pending, std::move(buffer));
            m_rect = rect;
            bSchedule = !m_bScheduled;
            m_bScheduled = true;
            if (!m_spare.isValid()) {
                m_spare = std::move(overtaken);
            }
        }
        if (bSchedule) {
            wxTheApp->CallAfter([pSelf = shared_from_this()] { pSelf->drawPending(); });
        }
        return true;
    }

    // User-interface thread.
    void drawPending() {
        DrawingSurface step;
        Rect rect;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            step = std::move(m_pending);
            rect = m_rect;
            m_bScheduled = false;
        }
        if (step.isValid() && m_pWindow != nullptr && !m_pWindow->IsBeingDeleted()) {
            paintOnWindow(*m_pWindow, step, rect);
        }
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_spare.isValid()) {
            m_spare = std::move(step);
        }
    }

    // User-interface thread: a call still queued finds nothing to draw on.
    void detach() { m_pWindow = nullptr; }

private:
    wxWindow* m_pWindow;
    std::mutex m_mutex;
    DrawingSurface m_pending;
    DrawingSurface m_spare;
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

WindowFramePresenter::WindowFramePresenter(wxWindow& window)
    : m_pHandover(std::make_shared<Handover>(window)), m_screenCopy(captureWindow(window)) {}

WindowFramePresenter::~WindowFramePresenter() {
    m_pHandover->drawPending();
    m_pHandover->detach();
}

bool WindowFramePresenter::copyScreen(DrawingSurface& target, const Rect& rect) {
    Compositor compositor(target);
    const bool ok = compositor.copyPart(m_screenCopy, rect, rect.left, rect.top);
    compositor.done();
    return ok;
}

bool WindowFramePresenter::present(const DrawingSurface& step, const Rect& rect) {
    return wxTheApp != nullptr && m_pHandover->hand(step, rect);
}
