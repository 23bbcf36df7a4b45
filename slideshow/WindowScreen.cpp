#include "slideshow/WindowScreen.h"

#include <gtk/gtk.h>
#include <wx/dc.h>
#include <wx/graphics.h>
#include <wx/window.h>

WindowScreen::WindowScreen(const wxWindow& window, wxDC& dc) : m_window(window) {
    // With GTK 3 every window DC draws through cairo.
    if (wxGraphicsContext* pGraphics = dc.GetGraphicsContext()) {
        m_pContext = static_cast<cairo_t*>(pGraphics->GetNativeContext());
    }
    if (m_pContext == nullptr) {
        m_pContext = static_cast<cairo_t*>(dc.GetHandle());
    }
}

bool WindowScreen::isVisible() const {
    return m_window.IsShownOnScreen();
}

void WindowScreen::paintBlack(const Rect& rect) {
    if (m_pContext == nullptr || rect.isEmpty()) {
        return;
    }
    cairo_save(m_pContext);
    cairo_set_operator(m_pContext, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(m_pContext, 0, 0, 0);
    cairo_rectangle(m_pContext, rect.left, rect.top, rect.width(), rect.height());
    cairo_fill(m_pContext);
    cairo_restore(m_pContext);
}

bool WindowScreen::showFrame(const DrawingSurface& frame, const Rect& rect) {
    if (m_pContext == nullptr || !frame.isValid()) {
        return false;
    }
    cairo_save(m_pContext);
    cairo_set_operator(m_pContext, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(m_pContext, frame.get(), 0, 0);
    cairo_rectangle(m_pContext, rect.left, rect.top, rect.width(), rect.height());
    cairo_fill(m_pContext);
    cairo_restore(m_pContext);
    cairo_surface_flush(cairo_get_target(m_pContext));
    return cairo_status(m_pContext) == CAIRO_STATUS_SUCCESS;
}

DrawingSurface windowImageSurface(wxWindow& window, int nWidth, int nHeight) {
    GdkWindow* pGdkWindow = window.GetHandle() != nullptr ? window.GTKGetDrawingWindow() : nullptr;
    if (pGdkWindow == nullptr || nWidth <= 0 || nHeight <= 0) {
        return DrawingSurface::create(nWidth, nHeight);
    }
    DrawingSurface surface(gdk_window_create_similar_image_surface(pGdkWindow, CAIRO_FORMAT_RGB24,
                                                                   nWidth, nHeight, 1));
    return surface.isValid() ? std::move(surface) : DrawingSurface::create(nWidth, nHeight);
}
