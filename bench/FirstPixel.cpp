// bench_first_pixel: how long a program takes from its start to its first
// picture in a window, how much memory it holds, and what it and the X
// server spend while it runs. The way a display-settings panel starts a
// preview: it makes a window and runs the program with the window's id.
//
//   bench_first_pixel [--size WxH] [--seconds N] [--not-black]
//                     [--xserver-pid PID] -- PROGRAM ARGS... (%w: the window id)
//
// The time runs from the start of the program until the centre of the window
// shows something other than its own background (with --not-black, other
// than black too: a preview first paints itself black). Then it lets the
// program run N more seconds. It prints key=value lines: first_pixel_ms,
// peak_rss_kib and rss_kib (the program's VmHWM and VmRSS at the end),
// cpu_ms (the program's CPU over the N seconds) and xserver_cpu_ms.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr unsigned long kBackground = 0xFF00FF; // magenta: no program shows it

struct Options {
    int nWidth = 1920;
    int nHeight = 1080;
    int nSeconds = 0;
    bool bNotBlack = false;
    long nXServerPid = 0;
    std::vector<std::string> command;
};

bool parse(int argc, char** argv, Options& options) {
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const std::string csOption = argv[i];
        if (csOption == "--not-black") {
            options.bNotBlack = true;
        } else if (i + 1 < argc && csOption == "--size") {
            if (std::sscanf(argv[++i], "%dx%d", &options.nWidth, &options.nHeight) != 2) {
                return false;
            }
        } else if (i + 1 < argc && csOption == "--seconds") {
            options.nSeconds = std::atoi(argv[++i]);
        } else if (i + 1 < argc && csOption == "--xserver-pid") {
            options.nXServerPid = std::atol(argv[++i]);
        } else {
            return false;
        }
    }
    for (++i; i < argc; ++i) {
        options.command.emplace_back(argv[i]);
    }
    return !options.command.empty();
}

// A line "Key:   value kB" of /proc/PID/status.
long statusValue(pid_t pid, const char* pKey) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string csLine;
    const std::string csKey = std::string(pKey) + ":";
    while (std::getline(status, csLine)) {
        if (csLine.rfind(csKey, 0) == 0) {
            return std::atol(csLine.c_str() + csKey.size());
        }
    }
    return -1;
}

// User and system CPU of a process so far, in milliseconds.
double cpuMilliseconds(long pid) {
    std::ostringstream contents;
    contents << std::ifstream("/proc/" + std::to_string(pid) + "/stat").rdbuf();
    const std::string csText = contents.str();
    const std::size_t nEnd = csText.rfind(')');
    if (nEnd == std::string::npos) {
        return -1;
    }
    std::istringstream fields(csText.substr(nEnd + 2));
    std::string csField;
    unsigned long long nUser = 0;
    unsigned long long nSystem = 0;
    // Fields from the third on: state ppid pgrp session tty tpgid flags minflt
    // cminflt majflt cmajflt utime stime.
    for (int n = 3; n <= 15 && fields >> csField; ++n) {
        if (n == 14) {
            nUser = std::stoull(csField);
        } else if (n == 15) {
            nSystem = std::stoull(csField);
        }
    }
    return 1000.0 * static_cast<double>(nUser + nSystem) /
           static_cast<double>(sysconf(_SC_CLK_TCK));
}

unsigned long centrePixel(Display* pDisplay, Window window, const Options& options) {
    XImage* pImage = XGetImage(pDisplay, window, options.nWidth / 2, options.nHeight / 2, 1, 1,
                               AllPlanes, ZPixmap);
    if (pImage == nullptr) {
        return kBackground;
    }
    const unsigned long pixel = XGetPixel(pImage, 0, 0) & 0xFFFFFF;
    XDestroyImage(pImage);
    return pixel;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        std::fprintf(stderr,
                     "usage: %s [--size WxH] [--seconds N] [--not-black] [--xserver-pid PID] "
                     "-- PROGRAM ARGS... (%%w: the window id)\n",
                     argv[0]);
        return 2;
    }
    Display* pDisplay = XOpenDisplay(nullptr);
    if (pDisplay == nullptr) {
        std::fprintf(stderr, "bench_first_pixel: no display\n");
        return 1;
    }
    const int nScreen = DefaultScreen(pDisplay);
    const Window window = XCreateSimpleWindow(
        pDisplay, RootWindow(pDisplay, nScreen), 0, 0, static_cast<unsigned>(options.nWidth),
        static_cast<unsigned>(options.nHeight), 0, kBackground, kBackground);
    XSelectInput(pDisplay, window, ExposureMask);
    XMapWindow(pDisplay, window);
    for (XEvent event; XNextEvent(pDisplay, &event) == 0 && event.type != Expose;) {
    }
    XSync(pDisplay, False);

    std::vector<std::string> command = options.command;
    for (std::string& csArgument : command) {
        if (csArgument == "%w") {
            csArgument = std::to_string(window);
        }
    }
    std::vector<char*> arguments;
    for (std::string& csArgument : command) {
        arguments.push_back(csArgument.data());
    }
    arguments.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    // The program's own chatter is no part of the measurement.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int nSpawned =
        posix_spawnp(&child, arguments[0], &quiet, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (nSpawned != 0) {
        std::fprintf(stderr, "bench_first_pixel: cannot start %s\n", arguments[0]);
        return 1;
    }
    double firstPixelMs = -1;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(30)) {
        const unsigned long pixel = centrePixel(pDisplay, window, options);
        if (pixel != kBackground && !(options.bNotBlack && pixel == 0)) {
            firstPixelMs =
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                    .count();
            break;
        }
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "bench_first_pixel: the program ended\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    const double cpuBefore = cpuMilliseconds(child);
    const double xBefore = options.nXServerPid > 0 ? cpuMilliseconds(options.nXServerPid) : 0;
    std::this_thread::sleep_for(std::chrono::seconds(options.nSeconds));
    std::printf("first_pixel_ms=%.1f\n", firstPixelMs);
    std::printf("peak_rss_kib=%ld\n", statusValue(child, "VmHWM"));
    std::printf("rss_kib=%ld\n", statusValue(child, "VmRSS"));
    std::printf("cpu_ms=%.0f\n", cpuMilliseconds(child) - cpuBefore);
    if (options.nXServerPid > 0) {
        std::printf("xserver_cpu_ms=%.0f\n", cpuMilliseconds(options.nXServerPid) - xBefore);
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XDestroyWindow(pDisplay, window);
    XCloseDisplay(pDisplay);
    return firstPixelMs < 0 ? 1 : 0;
}
