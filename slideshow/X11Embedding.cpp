#include "slideshow/X11Embedding.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace {

Display* toolkitDisplay() {
    GdkDisplay* pDisplay = gdk_display_get_default();
    if (pDisplay == nullptr || !GDK_IS_X11_DISPLAY(pDisplay)) {
        return nullptr;
    }
    return GDK_DISPLAY_XDISPLAY(pDisplay);
}

} // namespace

bool foreignWindowSize(unsigned long nWindowId, int& nWidth, int& nHeight) {
    Display* pDisplay = toolkitDisplay();
    if (pDisplay == nullptr || nWindowId == 0) {
        return false;
    }
    // A window that went away is an X error, not a reason to end badly.
    GdkDisplay* pGdkDisplay = gdk_display_get_default();
    gdk_x11_display_error_trap_push(pGdkDisplay);
    XWindowAttributes attributes{};
    const Status status = XGetWindowAttributes(pDisplay, nWindowId, &attributes);
    const bool bFailed = gdk_x11_display_error_trap_pop(pGdkDisplay) != 0 || status == 0;
    if (bFailed) {
        return false;
    }
    nWidth = attributes.width;
    nHeight = attributes.height;
    return true;
}

bool embedIntoForeignWindow(void* pGtkWidget, unsigned long nWindowId) {
    Display* pDisplay = toolkitDisplay();
    auto* pWidget = static_cast<GtkWidget*>(pGtkWidget);
    if (pDisplay == nullptr || pWidget == nullptr) {
        return false;
    }
    gtk_widget_realize(pWidget);
    GdkWindow* pWindow = gtk_widget_get_window(pWidget);
    if (pWindow == nullptr) {
        return false;
    }
    if (nWindowId == DefaultRootWindow(pDisplay)) {
        // A window moved into the root is a top-level one: without this a
        // window manager would frame and place it.
        gdk_window_set_override_redirect(pWindow, TRUE);
    }
    GdkDisplay* pGdkDisplay = gdk_display_get_default();
    gdk_x11_display_error_trap_push(pGdkDisplay);
    // Reparented before it is mapped, a window manager never sees it.
    XReparentWindow(pDisplay, gdk_x11_window_get_xid(pWindow), nWindowId, 0, 0);
    XSync(pDisplay, False);
    if (gdk_x11_display_error_trap_pop(pGdkDisplay) != 0) {
        return false;
    }
    // The host may destroy its window at any moment, and drawing into it
    // then raises BadWindow or BadDrawable, which the toolkit would treat as
    // fatal. From here on such errors are ignored: the size check notices
    // that the window is gone and ends the preview cleanly.
    gdk_x11_display_error_trap_push(pGdkDisplay);
    return true;
}

unsigned long rootWindowId() {
    Display* pDisplay = toolkitDisplay();
    return pDisplay == nullptr ? 0 : DefaultRootWindow(pDisplay);
}

void lowerEmbeddedWindow(void* pGtkWidget) {
    GdkWindow* pWindow = gtk_widget_get_window(static_cast<GtkWidget*>(pGtkWidget));
    if (pWindow != nullptr) {
        gdk_window_lower(pWindow);
    }
}
