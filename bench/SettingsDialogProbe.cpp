// nimbora-settings-probe: how long the settings dialog takes to come up
// with the first photo of its preview, as a person would see it.
//
//   nimbora-settings-probe [--no-preview] [--bound-s N] -- PROGRAM [ARGUMENTS...]
//
// On $DISPLAY, with NIMBORA_CONTROL_MAP_FOLDER naming an empty folder,
// starts the program and prints, from its start: when the dialog was shown
// and laid out (shown_ms: its control map appeared), when the preview
// first changed after that (preview_ms: the first photo's first step), and
// when the preview then stayed still for a second (photo_in_ms: the photo
// fully in, its blend over). Then ends the program. With --no-preview only
// shown_ms is waited for (a dialog without a preview, as a floor). Exit
// status 1 when something did not happen within the bound.
#include "ScreenProbe.h"
#include "ui/ControlMap.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

using namespace screen_probe;

namespace {

constexpr const char* kProbeName = "nimbora-settings-probe";
constexpr int kSettingsTemplate = 102;
constexpr int kPreviewPlaceholder = 1006;
constexpr double kStillMs = 1000;

std::vector<unsigned long> pixels(Display* pDisplay, const PixelRect& rect, int nScale) {
    return rootPixels(pDisplay, rect.x * nScale, rect.y * nScale, rect.width * nScale,
                      rect.height * nScale);
}

std::optional<ControlMap> readMap(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return parseControlMap(text.str());
}

} // namespace

int main(int argc, char** argv) {
    bool bPreview = true;
    int nBoundS = 120;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        if (std::strcmp(argv[i], "--no-preview") == 0) {
            bPreview = false;
        } else if (std::strcmp(argv[i], "--bound-s") == 0 && i + 1 < argc) {
            nBoundS = std::atoi(argv[++i]);
        } else {
            break;
        }
    }
    const std::string folder = controlMapFolder();
    if (i >= argc || std::strcmp(argv[i], "--") != 0 || i + 1 >= argc || folder.empty()) {
        std::fprintf(stderr,
                     "usage: NIMBORA_CONTROL_MAP_FOLDER=DIR %s [--no-preview] [--bound-s N] "
                     "-- PROGRAM [ARGS...]\n",
                     argv[0]);
        return 2;
    }
    const DisplayPointer pDisplay = openDisplay(kProbeName);
    if (!pDisplay) {
        return 2;
    }
    const std::string mapPath = controlMapPath(folder, kSettingsTemplate);
    std::remove(mapPath.c_str());

    const Clock::time_point start = Clock::now();
    const pid_t pid = startProgram(kProbeName, argv + i + 1);
    if (pid < 0) {
        return 2;
    }
    const Clock::time_point deadline = start + std::chrono::seconds(nBoundS);
    double shown = -1;
    double firstChange = -1;
    double lastChange = -1;
    std::optional<ControlMap> map;
    std::vector<unsigned long> previous;
    while (Clock::now() < deadline) {
        if (!map) {
            map = readMap(mapPath);
            if (map && map->find(kPreviewPlaceholder) != nullptr) {
                shown = msSince(start);
                previous =
                    pixels(pDisplay.get(), map->find(kPreviewPlaceholder)->screenRect, map->scale);
                if (!bPreview) {
                    break;
                }
            } else {
                map.reset();
            }
        } else {
            const std::vector<unsigned long> now =
                pixels(pDisplay.get(), map->find(kPreviewPlaceholder)->screenRect, map->scale);
            if (now != previous) {
                lastChange = msSince(start);
                if (firstChange < 0) {
                    firstChange = lastChange;
                }
                previous = now;
            } else if (firstChange >= 0 && msSince(start) - lastChange >= kStillMs) {
                break;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    endProgram(pid);
    std::printf("shown_ms=%.0f preview_ms=%.0f photo_in_ms=%.0f\n", shown, firstChange, lastChange);
    return shown < 0 || (bPreview && firstChange < 0) ? 1 : 0;
}
