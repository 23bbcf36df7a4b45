#pragma once

#include <string>
#include <vector>

// The command line of the Linux saver daemons, beside the Windows switches:
// "--root" (or "-root") draws the show into the window named by the
// environment variable XSCREENSAVER_WINDOW, else into the root window;
// "--window-id ID" (or "-window-id ID") into the window ID.

// True for any of the four daemon switches.
bool isDaemonSwitch(const std::string& token);

// Reads an X11 window id: hexadecimal after "0x" or "0X", otherwise
// decimal, digits only, not zero and within 32 bits.
bool parseWindowIdText(const std::string& text, unsigned long& windowId);

// The window a daemon's command line names (program path first, the switch
// second): 0 for the root window. pXScreensaverWindow is the environment
// variable's value, or null when it is not set. False, with a line for the
// user in error, when the id is missing or not a window id.
bool parseDaemonWindowId(const std::vector<std::string>& arguments, const char* pXScreensaverWindow,
                         unsigned long& windowId, std::string& error);
