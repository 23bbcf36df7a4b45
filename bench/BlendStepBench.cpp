#include "BlendFixtures.h"
#include "slideshow/CDrawBlendsThread.h"

#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

using namespace blend_bench;

constexpr int FRAME_WIDTH = 1920;
constexpr int FRAME_HEIGHT = 1080;

// One step of the transition: the new frame blended in place over the step
// before, which is then presented.
void blendStep(benchmark::State& state) {
    const DrawingSurface newImage = pattern(FRAME_WIDTH, FRAME_HEIGHT, 0x5A5A5A);
    DrawingSurface working = pattern(FRAME_WIDTH, FRAME_HEIGHT, 0x123456);
    KeepingPresenter presenter;
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
// presented, starting from the frame shown before. Divided by 1.8 s it is
// the share of a core the transition takes.
void wholeTransitionWithoutPauses(benchmark::State& state) {
    const DrawingSurface newImage = pattern(FRAME_WIDTH, FRAME_HEIGHT, 0x5A5A5A);
    FramePool pool;
    NoPause environment;
    for (auto _ : state) {
        CDrawBlendsThread thread(std::make_unique<KeepingPresenter>(),
                                 Rect{0, 0, FRAME_WIDTH, FRAME_HEIGHT}, newImage, environment,
                                 pool.take(FRAME_WIDTH, FRAME_HEIGHT), true, &pool);
        thread.InitInstance();
    }
}
BENCHMARK(wholeTransitionWithoutPauses)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
