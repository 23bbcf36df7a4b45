#pragma once

#include <string>
#include <vector>

// The ways the program can run, chosen from the command line: the four of
// the Windows convention, and the show inside a Linux saver daemon's window.
enum class RunMode { Configure, Preview, FullScreen, SaverDaemon, None };

// True when token names the mode letter: one leading '-' or '/' is skipped
// and the rest must equal letter, ignoring case. With cutToTwo a token longer
// than two characters is first cut to its first two (in place), so "/c:1234"
// still names 'c'.
bool matchModeSwitch(std::string& token, char letter, bool cutToTwo);

// The mode for a command line (program path first): no argument or 'c' is
// configuration, 'p' the preview, 's' the full-screen show, a saver daemon's
// switch (app/DaemonSwitch.h) the daemon's show; anything else None.
RunMode chooseRunMode(const std::vector<std::string>& arguments);

// The X11 window id given after a preview switch, read as a decimal number
// like atol. False when there is no such argument or it holds no digits.
bool parsePreviewWindowId(const std::vector<std::string>& arguments, unsigned long& windowId);
