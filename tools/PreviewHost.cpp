// nimbora-preview-host: a plain window that shows the slideshow's preview,
// the way a display-settings panel would.
//
//   nimbora-preview-host [--size WxH] [--seconds N] [--switch S] [program [arguments...]]
//
// Opens a window, runs `program /p <its window id>` (S instead of /p, e.g.
// --window-id the way saver daemons start it; by default the
// nimbora-screensaver beside this tool, else the one in PATH) and ends when
// the window is closed, the program ends, N seconds have passed or the tool
// is told to stop; the preview ends with its window.
#include "platform/Folders.h"
#include "platform/Process.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

volatile std::sig_atomic_t g_bStopRequested = 0;

void requestStop(int) {
    g_bStopRequested = 1;
}

struct DisplayClose {
    void operator()(Display* pDisplay) const { XCloseDisplay(pDisplay); }
};

struct Options {
    int nWidth = 640;
    int nHeight = 480;
    int nSeconds = 0; // 0: until closed
    std::string csSwitch = "/p";
    std::vector<std::string> program;
};

std::string besideThisTool(const std::string& csName) {
    const std::string csFolder = platform::executableFolder();
    for (const std::string& csCandidate : {csFolder + csName, csFolder + "../app/" + csName}) {
        if (access(csCandidate.c_str(), X_OK) == 0) {
            return csCandidate;
        }
    }
    return csName; // searched in PATH
}

bool parseOptions(int argc, char** argv, Options& options) {
    int i = 1;
    for (; i < argc && argv[i][0] == '-' && argv[i][1] == '-'; ++i) {
        const std::string csOption = argv[i];
        if (i + 1 >= argc) {
            return false;
        }
        const char* pValue = argv[++i];
        if (csOption == "--size") {
            if (std::sscanf(pValue, "%dx%d", &options.nWidth, &options.nHeight) != 2 ||
                options.nWidth < 1 || options.nHeight < 1 || options.nWidth > 16384 ||
                options.nHeight > 16384) {
                return false;
            }
        } else if (csOption == "--seconds") {
            char* pEnd = nullptr;
            const long nSeconds = std::strtol(pValue, &pEnd, 10);
            if (*pEnd != '\0' || nSeconds < 0 || nSeconds > 86400) {
                return false;
            }
            options.nSeconds = static_cast<int>(nSeconds);
        } else if (csOption == "--switch") {
            options.csSwitch = pValue;
        } else {
            return false;
        }
    }
    for (; i < argc; ++i) {
        options.program.emplace_back(argv[i]);
    }
    if (options.program.empty()) {
        options.program.push_back(besideThisTool("nimbora-screensaver"));
    }
    return true;
}

// Handles the window's events; false once it was closed.
bool handleEvents(Display* pDisplay, Atom deleteWindow) {
    while (XPending(pDisplay) > 0) {
        XEvent event;
        XNextEvent(pDisplay, &event);
        if (event.type == ClientMessage &&
            static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseOptions(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--size WxH] [--seconds N] [--switch S] [program [arguments...]]\n",
                     argv[0]);
        return 2;
    }
    std::unique_ptr<Display, DisplayClose> pDisplay(XOpenDisplay(nullptr));
    if (!pDisplay) {
        std::fprintf(stderr, "nimbora-preview-host: cannot open the display\n");
        return 1;
    }
    Display* pDpy = pDisplay.get();
    const int nScreen = DefaultScreen(pDpy);
    const Window window = XCreateSimpleWindow(pDpy, RootWindow(pDpy, nScreen), 0, 0,
                                              static_cast<unsigned>(options.nWidth),
                                              static_cast<unsigned>(options.nHeight), 0,
                                              BlackPixel(pDpy, nScreen), BlackPixel(pDpy, nScreen));
    XStoreName(pDpy, window, "Nimbora Screensaver preview");
    Atom deleteWindow = XInternAtom(pDpy, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(pDpy, window, &deleteWindow, 1);
    XMapWindow(pDpy, window);
    XSync(pDpy, False);

    std::signal(SIGTERM, requestStop);
    std::signal(SIGINT, requestStop);
    std::vector<std::string> command = options.program;
    command.push_back(options.csSwitch);
    command.push_back(std::to_string(window));
    platform::Process child = platform::Process::start(command);
    if (!child.isRunning()) {
        std::fprintf(stderr, "nimbora-preview-host: cannot start %s (errno %d)\n",
                     command.front().c_str(), child.startError());
        return 1;
    }
    std::printf("window 0x%lx\n", window);
    std::fflush(stdout);

    const int nTicksAllowed = options.nSeconds * 10;
    int nExitCode = 0;
    bool bChildEnded = false;
    for (int nTick = 0; !g_bStopRequested && (nTicksAllowed == 0 || nTick < nTicksAllowed);
         ++nTick) {
        if (!handleEvents(pDpy, deleteWindow)) {
            break;
        }
        const int nStatus = child.wait(0);
        if (!child.isRunning()) {
            nExitCode = nStatus;
            bChildEnded = true;
            break;
        }
        pollfd descriptor{ConnectionNumber(pDpy), POLLIN, 0};
        poll(&descriptor, 1, 100);
    }
    // The preview ends with the window it is shown in.
    XDestroyWindow(pDpy, window);
    XSync(pDpy, False);
    if (!bChildEnded) {
        nExitCode = child.wait(10000);
        if (child.isRunning()) {
            std::fprintf(stderr, "nimbora-preview-host: the preview did not end; stopping it\n");
            kill(child.pid(), SIGKILL);
            child.wait();
            nExitCode = 1;
        }
    }
    return nExitCode;
}
