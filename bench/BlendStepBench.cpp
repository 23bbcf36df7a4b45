#include "imaging/DrawingSurface.h"
#include "slideshow/BlendEnvironment.h"
#include "slideshow/CDrawBlendsThread.h"

#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

constexpr int FRAME_WIDTH = 1920;
constexpr int FRAME_HEIGHT = 1080;

DrawingSurface pattern(std::uint32_t seed) {
    DrawingSurface surface = DrawingSurface::create(FRAME_WIDTH, FRAME_HEIGHT);
    surface.flush();
    for (int y = 0; y < FRAME_HEIGHT; ++y) {
        std::uint32_t* pRow = surface.row(y);
        for (int x = 0; x < FRAME_WIDTH; ++x) {
            pRow[x] = 0xFF000000u | ((static_cast<std::uint32_t>(x * y) ^ seed) & 0xFFFFFF);
        }
    }
    surface.markDirty();
    return surface;
}

// Presents into an off-screen target: the copy a window's presenter makes
// of each step before it is drawn.
class OffscreenPresenter : public FramePresenter {
public:
    explicit OffscreenPresenter(DrawingSurface& target) : m_target(target) {}
    bool copyScreen(DrawingSurface&, const Rect&) override { return true; }
    bool present(const DrawingSurface& step, const Rect&) override {
        return m_target.copyPixelsFrom(step);
    }

private:
    DrawingSurface& m_target;
};

// One step of the transition: blend the new frame over the working surface
// at a constant alpha, then present the result.
void blendStep(benchmark::State& state) {
    const DrawingSurface newImage = pattern(0x5A5A5A);
    DrawingSurface working = pattern(0x123456);
    DrawingSurface target = DrawingSurface::create(FRAME_WIDTH, FRAME_HEIGHT);
    OffscreenPresenter presenter(target);
    BlendEnvironment environment;
    int nAlpha = 0;
    for (auto _ : state) {
        environment.alphaBlend(working, newImage, nAlpha);
        presenter.present(working, Rect{0, 0, FRAME_WIDTH, FRAME_HEIGHT});
        benchmark::DoNotOptimize(target.row(0)[0]);
        nAlpha = (nAlpha + 1) % 51;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(blendStep)->Unit(benchmark::kMillisecond);

// A whole transition without its pauses: screen copy, 51 steps and the
// final one, each presented. Divided by 1.8 s it is the share of a core
// the transition takes.
class NoPause : public BlendEnvironment {
public:
    void pause(std::chrono::milliseconds, BlendEvent&) override {}
};

void wholeTransitionWithoutPauses(benchmark::State& state) {
    const DrawingSurface newImage = pattern(0x5A5A5A);
    DrawingSurface target = pattern(0x123456);
    NoPause environment;
    for (auto _ : state) {
        CDrawBlendsThread thread(std::make_unique<OffscreenPresenter>(target),
                                 Rect{0, 0, FRAME_WIDTH, FRAME_HEIGHT}, newImage, environment);
        thread.InitInstance();
        benchmark::DoNotOptimize(target.row(0)[0]);
    }
}
BENCHMARK(wholeTransitionWithoutPauses)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
