// bench_blend: one step of the blend transition against its floor, a
// memcpy of one frame, interleaved in one process:
//
//   bench_blend W H ROUNDS
//
// Each round times a whole transition without its pauses (51 blended steps
// and the last one, each handed to a presenter that keeps it, as the
// window's does) and a memcpy of one frame, and prints one line per round:
// milliseconds of CPU per step and per memcpy.
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

constexpr int kSteps = 52;
constexpr int kCopies = 20;

DrawingSurface pattern(int w, int h, std::uint32_t seed) {
    DrawingSurface surface = DrawingSurface::create(w, h);
    surface.flush();
    for (int y = 0; y < h; ++y) {
        std::uint32_t* pRow = surface.row(y);
        for (int x = 0; x < w; ++x) {
            pRow[x] = 0xFF000000u | ((static_cast<std::uint32_t>(x * y) ^ seed) & 0xFFFFFF);
        }
    }
    surface.markDirty();
    return surface;
}

// Takes each step as the window's presenter does on the blend thread.
class KeepingPresenter : public FramePresenter {
public:
    bool copyScreen(DrawingSurface&, const Rect&) override { return true; }
    bool present(DrawingSurface& step, const Rect&) override {
        m_pLast = &step;
        return true;
    }
    void reclaim(const DrawingSurface&) override {}

private:
    const DrawingSurface* m_pLast = nullptr;
};

class NoPause : public BlendEnvironment {
public:
    void pause(std::chrono::milliseconds, BlendEvent&) override {}
};

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
