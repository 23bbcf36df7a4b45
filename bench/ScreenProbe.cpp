#include "ScreenProbe.h"

#include <X11/Xutil.h>
#include <csignal>
#include <cstdio>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace screen_probe {

DisplayPointer openDisplay(const char* pProbeName) {
    DisplayPointer pDisplay(XOpenDisplay(nullptr));
    if (!pDisplay) {
        std::fprintf(stderr, "%s: cannot open the display\n", pProbeName);
    }
    return pDisplay;
}

std::vector<unsigned long> rootPixels(Display* pDisplay, int x, int y, int nWidth, int nHeight) {
    std::vector<unsigned long> values;
    XImage* pImage =
        XGetImage(pDisplay, DefaultRootWindow(pDisplay), x, y, static_cast<unsigned>(nWidth),
                  static_cast<unsigned>(nHeight), AllPlanes, ZPixmap);
    if (pImage == nullptr) {
        return values;
    }
    for (int j = 0; j < pImage->height; ++j) {
        for (int i = 0; i < pImage->width; ++i) {
            values.push_back(XGetPixel(pImage, i, j));
        }
    }
    XDestroyImage(pImage);
    return values;
}

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

pid_t startProgram(const char* pProbeName, char** argv) {
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) {
        std::fprintf(stderr, "%s: cannot start %s\n", pProbeName, argv[0]);
        return -1;
    }
    return pid;
}

void endProgram(pid_t pid) {
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
}

} // namespace screen_probe
