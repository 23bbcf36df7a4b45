#pragma once

// The few X11 calls that put a window of ours inside a window of another
// program. Kept apart so that X11's macros stay out of the toolkit's code.

// The size of another program's window; false when it no longer exists (or
// never did).
bool foreignWindowSize(unsigned long nWindowId, int& nWidth, int& nHeight);

// Realises the toolkit's top-level widget and moves its X window, not yet
// mapped, into the foreign window at (0, 0). In the root window it is kept
// from the window manager. False when that failed.
bool embedIntoForeignWindow(void* pGtkWidget, unsigned long nWindowId);

// The root window of the default screen; 0 without an X11 display.
unsigned long rootWindowId();

// Puts the toolkit's top-level widget, embedded and shown, beneath its
// siblings.
void lowerEmbeddedWindow(void* pGtkWidget);
