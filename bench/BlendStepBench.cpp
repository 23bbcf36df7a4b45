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

// Keeps each step it is given, as the window's presenter does on the blend
// thread; the window draws it later, on its own thread.
class OffscreenPresenter : public FramePresenter {
public:
    bool copyScreen(DrawingSurface&, const Rect&) override { return true; }
    bool present(DrawingSurface& step, const Rect&) override {
        m_pStep = &step;
        return true;
    }
    void reclaim(const DrawingSurface&) override {}

private:
    const DrawingSurface* m_pStep = nullptr;
};

// One step of the transition: the new frame blended in place over the step
// before, which is then presented.
void blendStep(benchmark::State& state) {
    const DrawingSurface newImage = pattern(0x5A5A5A);
    DrawingSurface working = pattern(0x123456);
    OffscreenPresenter presenter;
    BlendEnvironment environment;
    int nAlpha = 0;
    for (auto _ : state) {
        environment.alphaBlend(working, working, newImage, nAlpha);
        presenter.present(working, Rect{0, 0, FRAME_WIDTH, FRAME_HEIGHT});
        benchmark::DoNotOptimize(working.row(0)[0]);
        nAlpha = (nAlpha + 1) % 51;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(blendStep)->Unit(benchmark::kMillisecond);

// A whole transition without its pauses: 51 steps and the final one, each
// presented, starting from the frame shown before. Divided by 1.8 s it is the share of a core
// the transition takes.
class NoPause : public BlendEnvironment {
public:
    void pause(std::chrono::milliseconds, BlendEvent&) override {}
};

void wholeTransitionWithoutPauses(benchmark::State& state) {
    const DrawingSurface newImage = pattern(0x5A5A5A);
    FramePool pool;
    NoPause environment;
    for (auto _ : state) {
        CDrawBlendsThread thread(std::make_unique<OffscreenPresenter>(),
                                 Rect{0, 0, FRAME_WIDTH, FRAME_HEIGHT}, newImage, environment,
                                 pool.take(FRAME_WIDTH, FRAME_HEIGHT), true, &pool);
        thread.InitInstance();
    }
}
BENCHMARK(wholeTransitionWithoutPauses)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
