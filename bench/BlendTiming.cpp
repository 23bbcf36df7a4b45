// bench_blend: one step of the blend transition against its floor, a
// memcpy of one frame, interleaved in one process:
//
//   bench_blend W H ROUNDS
//
// Each round times a whole transition without its pauses (51 blended steps
// and the last one, each handed to a presenter that keeps it, as the
// window's does) and a memcpy of one frame, and prints one line per round:
// milliseconds of CPU per step and per memcpy.
#include "BlendFixtures.h"
#include "CpuClock.h"
#include "slideshow/BlendEnvironment.h"
#include "slideshow/CDrawBlendsThread.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using namespace blend_bench;

constexpr int kSteps = 52;
constexpr int kCopies = 20;

double millisecondsSince(double start) {
    return processCpuMilliseconds() - start;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s W H ROUNDS\n", argv[0]);
        return 2;
    }
    const int W = std::atoi(argv[1]);
    const int H = std::atoi(argv[2]);
    const int nRounds = std::atoi(argv[3]);
    if (W < 1 || H < 1 || nRounds < 1) {
        return 2;
    }
    const DrawingSurface newImage = pattern(W, H, 0x5A5A5A);
    const std::size_t nFrameBytes = std::size_t(W) * H * 4;
    std::vector<unsigned char> from(nFrameBytes, 1);
    std::vector<unsigned char> to(nFrameBytes, 2);
    FramePool pool;
    NoPause environment;
    // Round 0 only brings the memory in.
    for (int nRound = 0; nRound <= nRounds; ++nRound) {
        double start = processCpuMilliseconds();
        {
            CDrawBlendsThread thread(std::make_unique<KeepingPresenter>(), Rect{0, 0, W, H},
                                     newImage, environment, pool.take(W, H), true, &pool);
            thread.InitInstance();
        }
        const double stepMs = millisecondsSince(start) / kSteps;

        start = processCpuMilliseconds();
        for (int i = 0; i < kCopies; ++i) {
            std::memcpy(to.data(), from.data(), nFrameBytes);
            from[static_cast<std::size_t>(i)] = to[nFrameBytes - 1 - static_cast<std::size_t>(i)];
        }
        const double copyMs = millisecondsSince(start) / kCopies;
        if (nRound > 0) {
            std::printf("%.4f %.4f\n", stepMs, copyMs);
        }
    }
    return 0;
}
