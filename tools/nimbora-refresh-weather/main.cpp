// nimbora-refresh-weather: asks every running show on the display to re-read
// its stored weather and redraw, as the registered window message does; for
// scripts and cron jobs. Nothing is downloaded.
//
//   nimbora-refresh-weather [--display NAME]
//
// Exit status: 0 when at least one show was reached, 1 when no show is
// running, 2 when the display cannot be opened or the command line is wrong.
#include "app/WeatherUpdateBroadcast.h"

#include <X11/Xlib.h>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

struct DisplayClose {
    void operator()(Display* pDisplay) const { XCloseDisplay(pDisplay); }
};

int usage(const char* pProgram) {
    std::fprintf(stderr, "usage: %s [--display NAME]\n", pProgram);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const char* pDisplayName = nullptr;
    if (argc == 3 && std::strcmp(argv[1], "--display") == 0) {
        pDisplayName = argv[2];
    } else if (argc != 1) {
        return usage(argv[0]);
    }
    std::unique_ptr<Display, DisplayClose> pDisplay(XOpenDisplay(pDisplayName));
    if (!pDisplay) {
        std::fprintf(stderr, "nimbora-refresh-weather: cannot open the display %s\n",
                     XDisplayName(pDisplayName));
        return 2;
    }
    const int nShows = broadcastWeatherUpdate(pDisplay.get());
    if (nShows < 0) {
        std::fprintf(stderr, "nimbora-refresh-weather: the display refused the message's name\n");
        return 2;
    }
    if (nShows == 0) {
        std::fprintf(stderr, "nimbora-refresh-weather: no show is running on %s\n",
                     XDisplayName(pDisplayName));
        return 1;
    }
    return 0;
}
