#pragma once

// What the show's top-level windows ask of the window manager, through the
// toolkit's widgets (passed as the toolkit's handle). Without a window
// manager the hints are only properties: the windows are then placed and
// sized by their own geometry, and stacked above what was mapped before.

// Asks for full screen on the monitor the window lies on and for a place
// above other windows, without a taskbar entry. Before the window is shown.
void requestFullScreenAbove(void* pGtkWidget);

// The window never takes the keyboard focus, not even when it is mapped.
// Before the window is shown.
void refuseFocus(void* pGtkWidget);

// Once the window is on screen, raises it and gives it the keyboard focus:
// through the window manager when one runs, directly otherwise.
void presentWhenMapped(void* pGtkWidget);

// Whether the X server gives the keyboard to this top-level window (or a
// window inside it) right now. The toolkit reports passing focus changes
// too, such as the hand-over from the pointer's window to an explicit
// focus when the window is first shown.
bool holdsKeyboardFocus(void* pGtkWidget);
