// nimbora-show-probe: how long a program takes to put its first picture on
// the screen, as a person would see it.
//
//   nimbora-show-probe [--settle-ms N] [--bound-s N] -- PROGRAM [ARGUMENTS...]
//
// On $DISPLAY, watches a small square at the middle of the screen, starts
// the program, and prints when the square first changed (first_change_ms)
// and when it had then stopped changing for N ms (settled_ms, the end of a
// fade), both from the program's start, with the middle's colour at each.
// Then ends the program (SIGTERM) and prints how long that took (end_ms). Exit status 1 when
// nothing changed within the bound.
#include "ScreenProbe.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>
#include <vector>

using namespace screen_probe;

namespace {

constexpr int SQUARE = 16;
constexpr const char* kProbeName = "nimbora-show-probe";

std::vector<unsigned long> square(Display* pDisplay) {
    const int nScreen = DefaultScreen(pDisplay);
    return rootPixels(pDisplay, DisplayWidth(pDisplay, nScreen) / 2 - SQUARE / 2,
                      DisplayHeight(pDisplay, nScreen) / 2 - SQUARE / 2, SQUARE, SQUARE);
}

} // namespace

int main(int argc, char** argv) {
    int nSettleMs = 500;
    int nBoundS = 120;
    int i = 1;
    for (; i + 1 < argc && std::strcmp(argv[i], "--") != 0; i += 2) {
        if (std::strcmp(argv[i], "--settle-ms") == 0) {
            nSettleMs = std::atoi(argv[i + 1]);
        } else if (std::strcmp(argv[i], "--bound-s") == 0) {
            nBoundS = std::atoi(argv[i + 1]);
        } else {
            break;
        }
    }
    if (i >= argc || std::strcmp(argv[i], "--") != 0 || i + 1 >= argc) {
        std::fprintf(stderr, "usage: %s [--settle-ms N] [--bound-s N] -- PROGRAM [ARGS...]\n",
                     argv[0]);
        return 2;
    }
    const DisplayPointer pDisplay = openDisplay(kProbeName);
    if (!pDisplay) {
        return 2;
    }
    const std::vector<unsigned long> before = square(pDisplay.get());

    const Clock::time_point start = Clock::now();
    const pid_t pid = startProgram(kProbeName, argv + i + 1);
    if (pid < 0) {
        return 2;
    }
    const Clock::time_point deadline = start + std::chrono::seconds(nBoundS);
    double firstChange = -1;
    double lastChange = -1;
    unsigned long firstColour = 0;
    std::vector<unsigned long> previous = before;
    while (Clock::now() < deadline) {
        const std::vector<unsigned long> now = square(pDisplay.get());
        if (now != previous) {
            lastChange = msSince(start);
            if (firstChange < 0) {
                firstChange = lastChange;
                firstColour = now.empty() ? 0 : now[now.size() / 2];
            }
            previous = now;
        } else if (firstChange >= 0 && msSince(start) - lastChange >= nSettleMs) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    const Clock::time_point asked = Clock::now();
    endProgram(pid);
    std::printf("first_change_ms=%.0f settled_ms=%.0f end_ms=%.0f first_colour=%06lx "
                "settled_colour=%06lx\n",
                firstChange, lastChange, msSince(asked), firstColour & 0xFFFFFF,
                previous.empty() ? 0UL : previous[previous.size() / 2] & 0xFFFFFF);
    return firstChange < 0 ? 1 : 0;
}
