#include "slideshow/ScreenWindowHints.h"

#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

namespace {

gboolean presentOnMap(GtkWidget* pWidget, GdkEvent*, gpointer) {
    // Only now is the window viewable: without a window manager GDK gives
    // it the focus itself, which X refuses for a window not yet mapped.
    gtk_window_present(GTK_WINDOW(pWidget));
    return FALSE;
}

} // namespace

void requestFullScreenAbove(void* pGtkWidget) {
    auto* pWindow = GTK_WINDOW(pGtkWidget);
    gtk_window_fullscreen(pWindow);
    gtk_window_set_keep_above(pWindow, TRUE);
    gtk_window_set_skip_taskbar_hint(pWindow, TRUE);
    gtk_window_set_skip_pager_hint(pWindow, TRUE);
}

void refuseFocus(void* pGtkWidget) {
    auto* pWindow = GTK_WINDOW(pGtkWidget);
    gtk_window_set_accept_focus(pWindow, FALSE);
    gtk_window_set_focus_on_map(pWindow, FALSE);
}

void presentWhenMapped(void* pGtkWidget) {
    g_signal_connect(G_OBJECT(pGtkWidget), "map-event", G_CALLBACK(presentOnMap), nullptr);
}

bool holdsKeyboardFocus(void* pGtkWidget) {
    GdkWindow* pWindow = gtk_widget_get_window(static_cast<GtkWidget*>(pGtkWidget));
    if (pWindow == nullptr || !GDK_IS_X11_WINDOW(pWindow)) {
        return false;
    }
    Display* pDisplay = GDK_WINDOW_XDISPLAY(pWindow);
    const Window ours = gdk_x11_window_get_xid(pWindow);
    Window focus = None;
    int nRevertTo = 0;
    XGetInputFocus(pDisplay, &focus, &nRevertTo);
    GdkDisplay* pGdkDisplay = gdk_window_get_display(pWindow);
    gdk_x11_display_error_trap_push(pGdkDisplay);
    // PointerRoot and None hold no window of ours; otherwise walk up from
    // the focus window to the root.
    while (focus != None && focus != PointerRoot && focus != ours) {
        Window root = None;
        Window parent = None;
        Window* pChildren = nullptr;
        unsigned int nChildren = 0;
        if (XQueryTree(pDisplay, focus, &root, &parent, &pChildren, &nChildren) == 0) {
            focus = None;
            break;
        }
        if (pChildren != nullptr) {
            XFree(pChildren);
        }
        focus = parent == root ? None : parent;
    }
    gdk_x11_display_error_trap_pop_ignored(pGdkDisplay);
    return focus == ours;
}
