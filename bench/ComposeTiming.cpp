// bench_compose: what the slideshow takes to compose one frame from a photo,
// measured the way bench_jpeg_floor measures libjpeg-turbo alone:
//
//   bench_compose PHOTO VERSION W H REPS
//
// puts the photo into a pack of that version, composes a W x H frame from it
// once, then REPS times again (the same photo, as for a weather change: no
// choosing), and prints the median and the fastest time of one frame, in
// milliseconds of CPU. Preview settings: no panel, no blend, nothing shown.
#include "CpuClock.h"
#include "slideshow/FrameComposer.h"
#include "tools/PackWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class QuietEnvironment : public ImageSelectionEnvironment {
public:
    bool connectedToInternet() override { return false; }
    bool isLogging() override { return false; }
    void logMessage(const std::string&) override {}
    // No waiting: the image after the last is taken at once.
    bool waitForSecondsOtherThan(int) override { return false; }
};

class NoScreen : public FrameScreen {
public:
    bool isVisible() const override { return true; }
    void paintBlack(const Rect&) override {}
    bool showFrame(const DrawingSurface&, const Rect&) override { return true; }
};

bool writePack(const std::string& csPath, const std::string& photo, int nVersion) {
    PackWriter writer;
    writer.addEntry("manifest.ini",
                    "[pack]\nformat = 1\n\n[getNumImagesForGroup]\n1 = 1\n\n"
                    "[getNumImageGroups]\nvalue = 1\n\n[getGroupForSkyCode]\ndefault = 1\n\n"
                    "[getBoxLocationForImage]\ndefault = lower-right 20 30\n\n"
                    "[getBorderColorForImage]\ndefault = #102030\n\n"
                    "[getDLLDisplayName]\nvalue = Bench\n\n[getDLLVersionNumber]\nvalue = " +
                        std::to_string(nVersion) + "\n\n[getDisplayNameForGroup]\n1 = Sky\n");
    writer.addEntry("JPEG/101.jpg", photo);
    std::string csError;
    if (!writer.write(csPath, csError)) {
        std::fprintf(stderr, "bench_compose: %s\n", csError.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 6) {
        std::fprintf(stderr, "usage: %s PHOTO VERSION W H REPS\n", argv[0]);
        return 2;
    }
    std::ostringstream contents;
    contents << std::ifstream(argv[1], std::ios::binary).rdbuf();
    const std::string photo = contents.str();
    const int nVersion = std::atoi(argv[2]);
    const Rect screen{0, 0, std::atoi(argv[3]), std::atoi(argv[4])};
    const int nReps = std::atoi(argv[5]);
    if (photo.empty() || screen.isEmpty() || nReps < 1) {
        std::fprintf(stderr, "bench_compose: nothing to compose\n");
        return 2;
    }
    const std::string csPack = "/tmp/bench_compose_" + std::to_string(getpid()) + ".wxs";
    if (!writePack(csPack, photo, nVersion)) {
        return 1;
    }
    QuietEnvironment environment;
    NoScreen noScreen;
    std::vector<double> times;
    {
        FrameComposer composer(environment);
        composer.setBlendImages(false);
        composer.setImagePackFile(csPack);
        composer.Draw(noScreen, screen, true);
        for (int i = 0; i < nReps && composer.currentFrame().isValid(); ++i) {
            const double start = processCpuMilliseconds();
            composer.Draw(noScreen, screen, false);
            const double took = processCpuMilliseconds() - start;
            times.push_back(took);
        }
        if (!composer.currentFrame().isValid()) {
            std::fprintf(stderr, "bench_compose: the frame could not be composed\n");
        }
    }
    std::remove(csPack.c_str());
    if (times.size() != static_cast<std::size_t>(nReps)) {
        return 1;
    }
    std::sort(times.begin(), times.end());
    std::printf("%.4f %.4f\n", times[times.size() / 2], times.front());
    return 0;
}
