#pragma once

// The registered window message that makes a running show re-read its
// stored weather and redraw: an X11 client message whose type is the atom
// interned under this name. Any program may send it.
inline constexpr const char* kWeatherUpdateMessageName = "Wx_Weather_Update_Msg";

// The property that marks a show's top-level X window, full-screen or
// inside a saver daemon's window, so that the message can find every show
// without disturbing other programs' windows.
inline constexpr const char* kShowWindowProperty = "_NIMBORA_SCREENSAVER_SHOW";

#include <vector>

struct _XDisplay;

// Whether the window carries the property named, whatever its value.
bool windowHasProperty(_XDisplay* pDisplay, unsigned long window, const char* pProperty);

// Every window marked as a show, on every screen of the display.
std::vector<unsigned long> findShowWindows(_XDisplay* pDisplay);

// Sends the message to every marked window on every screen of the display,
// the way a broadcast reaches every top-level window. The number of shows
// reached; -1 when the atoms could not be had.
int broadcastWeatherUpdate(_XDisplay* pDisplay);
