#include "app/WeatherUpdateMessage.h"

#include "app/WeatherUpdateBroadcast.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <unistd.h>

namespace {

unsigned long g_nWeatherUpdateMessage = 0;

Display* toolkitXDisplay() {
    GdkDisplay* pDisplay = gdk_display_get_default();
    if (pDisplay == nullptr || !GDK_IS_X11_DISPLAY(pDisplay)) {
        return nullptr;
    }
    return GDK_DISPLAY_XDISPLAY(pDisplay);
}

// Interns the message's atom; the X error's text when the server refused.
unsigned long internMessage(std::string& csError) {
    Display* pDisplay = toolkitXDisplay();
    if (pDisplay == nullptr) {
        csError = "there is no X11 display to register it with.";
        return 0;
    }
    GdkDisplay* pGdkDisplay = gdk_display_get_default();
    gdk_x11_display_error_trap_push(pGdkDisplay);
    const Atom atom = XInternAtom(pDisplay, kWeatherUpdateMessageName, False);
    const int nError = gdk_x11_display_error_trap_pop(pGdkDisplay);
    if (nError != 0 || atom == None) {
        char text[501] = "the X server refused the atom.";
        if (nError != 0) {
            XGetErrorText(pDisplay, nError, text, sizeof text);
        }
        csError = text;
        return 0;
    }
    return atom;
}

GdkFilterReturn filterMessage(GdkXEvent* pXEvent, GdkEvent*, gpointer pData) {
    const auto* pEvent = static_cast<const XEvent*>(pXEvent);
    if (pEvent->type != ClientMessage || g_nWeatherUpdateMessage == 0 ||
        pEvent->xclient.message_type != g_nWeatherUpdateMessage) {
        return GDK_FILTER_CONTINUE;
    }
    // Its parameters are not looked at.
    const auto* pOnMessage = static_cast<const std::function<void()>*>(pData);
    if (*pOnMessage) {
        (*pOnMessage)();
    }
    return GDK_FILTER_REMOVE;
}

} // namespace

WeatherUpdateMessage::WeatherUpdateMessage() {
    if (g_nWeatherUpdateMessage == 0) {
        g_nWeatherUpdateMessage = internMessage(m_csError);
    }
}

WeatherUpdateMessage::~WeatherUpdateMessage() {
    stopListening();
}

unsigned long WeatherUpdateMessage::registeredMessage() {
    return g_nWeatherUpdateMessage;
}

bool WeatherUpdateMessage::listen(void* pGtkWidget, std::function<void()> onMessage) {
    stopListening();
    Display* pDisplay = toolkitXDisplay();
    GdkWindow* pWindow = pGtkWidget != nullptr
                             ? gtk_widget_get_window(static_cast<GtkWidget*>(pGtkWidget))
                             : nullptr;
    if (pDisplay == nullptr || pWindow == nullptr) {
        return false;
    }
    m_onMessage = std::move(onMessage);
    m_pGdkWindow = pWindow;
    // Should the window go first, the pointer is cleared rather than left
    // dangling.
    g_object_add_weak_pointer(G_OBJECT(pWindow), &m_pGdkWindow);
    gdk_window_add_filter(pWindow, filterMessage, &m_onMessage);
    const Atom marker = XInternAtom(pDisplay, kShowWindowProperty, False);
    const long nPid = static_cast<long>(getpid());
    XChangeProperty(pDisplay, gdk_x11_window_get_xid(pWindow), marker, XA_CARDINAL, 32,
                    PropModeReplace, reinterpret_cast<const unsigned char*>(&nPid), 1);
    return true;
}

void WeatherUpdateMessage::stopListening() {
    if (m_pGdkWindow != nullptr) {
        auto* pWindow = static_cast<GdkWindow*>(m_pGdkWindow);
        gdk_window_remove_filter(pWindow, filterMessage, &m_onMessage);
        g_object_remove_weak_pointer(G_OBJECT(pWindow), &m_pGdkWindow);
        m_pGdkWindow = nullptr;
    }
}
