#pragma once

// What the probes that time a program's pictures share: the display they
// watch, its pixels, the clock, and the program they start and end.
#include <X11/Xlib.h>
#include <chrono>
#include <memory>
#include <sys/types.h>
#include <vector>

namespace screen_probe {

using Clock = std::chrono::steady_clock;

struct DisplayClose {
    void operator()(Display* pDisplay) const { XCloseDisplay(pDisplay); }
};
using DisplayPointer = std::unique_ptr<Display, DisplayClose>;

// $DISPLAY, or null (with a message naming probeName) when it cannot be opened.
DisplayPointer openDisplay(const char* pProbeName);

// The root window's pixels in that rectangle, row by row; empty when it
// cannot be read.
std::vector<unsigned long> rootPixels(Display* pDisplay, int x, int y, int nWidth, int nHeight);

double msSince(Clock::time_point start);

// Starts argv[0] with argv and this environment; -1 (with a message) when it
// could not be started.
pid_t startProgram(const char* pProbeName, char** argv);
// Asks the program to end (SIGTERM) and waits until it has.
void endProgram(pid_t pid);

} // namespace screen_probe
