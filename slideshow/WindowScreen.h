#pragma once

#include "slideshow/FrameParts.h"

#include <cairo.h>

class wxDC;
class wxWindow;

// A window's drawing context as the frame composition sees it. Frames go to
// the window in one paint of the whole surface.
class WindowScreen : public FrameScreen {
public:
    // The context belongs to dc; both must outlive this object.
    WindowScreen(const wxWindow& window, wxDC& dc);

    bool isValid() const { return m_pContext != nullptr; }
    bool isVisible() const override;
    void paintBlack(const Rect& rect) override;
    bool showFrame(const DrawingSurface& frame, const Rect& rect) override;

private:
    const wxWindow& m_window;
    cairo_t* m_pContext = nullptr; // not owned
};

// A surface of the window's kind: on X11 an image in memory the display
// shares, which the window shows without a copy. A plain image surface when
// the window has no such thing. User-interface thread only.
DrawingSurface windowImageSurface(wxWindow& window, int nWidth, int nHeight);
