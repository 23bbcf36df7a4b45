#include "app/WeatherUpdateBroadcast.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <vector>

namespace {

// Swallows the errors of windows that vanish while the tree is walked.
int ignoreError(Display*, XErrorEvent*) {
    return 0;
}

bool hasProperty(Display* pDisplay, Window window, Atom property) {
    Atom type = None;
    int nFormat = 0;
    unsigned long nItems = 0;
    unsigned long nAfter = 0;
    unsigned char* pData = nullptr;
    const int status = XGetWindowProperty(pDisplay, window, property, 0, 1, False, AnyPropertyType,
                                          &type, &nFormat, &nItems, &nAfter, &pData);
    if (pData != nullptr) {
        XFree(pData);
    }
    return status == Success && type != None;
}

// Every window below root, depth first; shows sit at any depth (a saver
// daemon's window may hold one, a window manager frames the others).
void collectShows(Display* pDisplay, Window window, Atom marker, std::vector<Window>& shows) {
    if (hasProperty(pDisplay, window, marker)) {
        shows.push_back(window);
    }
    Window root = None;
    Window parent = None;
    Window* pChildren = nullptr;
    unsigned int nChildren = 0;
    if (XQueryTree(pDisplay, window, &root, &parent, &pChildren, &nChildren) == 0) {
        return;
    }
    const std::vector<Window> children(pChildren, pChildren + nChildren);
    if (pChildren != nullptr) {
        XFree(pChildren);
    }
    for (const Window child : children) {
        collectShows(pDisplay, child, marker, shows);
    }
}

} // namespace

bool windowHasProperty(_XDisplay* pDisplay, unsigned long window, const char* pProperty) {
    return hasProperty(pDisplay, window, XInternAtom(pDisplay, pProperty, False));
}

std::vector<unsigned long> findShowWindows(_XDisplay* pDisplay) {
    const Atom marker = XInternAtom(pDisplay, kShowWindowProperty, False);
    std::vector<Window> shows;
    if (marker == None) {
        return shows;
    }
    XSync(pDisplay, False);
    const auto previous = XSetErrorHandler(ignoreError);
    for (int nScreen = 0; nScreen < ScreenCount(pDisplay); ++nScreen) {
        collectShows(pDisplay, RootWindow(pDisplay, nScreen), marker, shows);
    }
    XSync(pDisplay, False);
    XSetErrorHandler(previous);
    return shows;
}

int broadcastWeatherUpdate(_XDisplay* pDisplay) {
    const Atom message = XInternAtom(pDisplay, kWeatherUpdateMessageName, False);
    if (message == None) {
        return -1;
    }
    const std::vector<Window> shows = findShowWindows(pDisplay);
    const auto previous = XSetErrorHandler(ignoreError);
    for (const Window show : shows) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = show;
        event.xclient.message_type = message;
        event.xclient.format = 32;
        // With no event mask the message goes to the program that made the
        // window, whatever it listens to.
        XSendEvent(pDisplay, show, False, NoEventMask, &event);
    }
    XSync(pDisplay, False);
    XSetErrorHandler(previous);
    return static_cast<int>(shows.size());
}
