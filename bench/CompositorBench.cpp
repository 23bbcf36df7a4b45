#include "imaging/Compositor.h"
#include "imaging/ConstantAlphaBlend.h"

#include <benchmark/benchmark.h>
#include <cstddef>
#include <cstdint>

namespace {

constexpr int FRAME_WIDTH = 1920;
constexpr int FRAME_HEIGHT = 1080;

DrawingSurface gradient(int w, int h) {
    DrawingSurface surface = DrawingSurface::create(w, h);
    surface.flush();
    for (int y = 0; y < h; ++y) {
        std::uint32_t* pRow = surface.row(y);
        for (int x = 0; x < w; ++x) {
            pRow[x] = 0xFF000000u | ((x * 255 / w) << 16) | ((y * 255 / h) << 8) | ((x ^ y) & 0xFF);
        }
    }
    surface.markDirty();
    return surface;
}

// One frame as the show composes it: border colour, the photo scaled to
// nine tenths of the width and centred, the panel and its three texts.
void composeFrame(benchmark::State& state) {
    const DrawingSurface photo = gradient(2560, 1440);
    DrawingSurface frame = DrawingSurface::create(FRAME_WIDTH, FRAME_HEIGHT);
    for (auto _ : state) {
        Compositor compositor(frame);
        compositor.fill(makeColorref(20, 30, 40));
        compositor.stretch(photo, 96, 54, 1728, 972);
        const Rect box{1404, 846, 1704, 966};
        compositor.fillRect(box, makeColorref(30, 60, 140));
        // Fonts are made for each frame, as the panel does.
        const TextFont location = TextFont::create("Arial", 13, 400);
        const TextFont condition = TextFont::create("Arial", 15, 400);
        const TextFont temperature = TextFont::create("Arial", 24, 400);
        const unsigned line = TEXTFORMAT_LEFT | TEXTFORMAT_SINGLELINE | TEXTFORMAT_VCENTER;
        compositor.drawText(temperature,
                            "72\xc2\xb0"
                            "F",
                            Rect{1492, 861, 1592, 885}, 0xFFFFFF, line);
        compositor.drawText(condition, "Partly Cloudy", Rect{1492, 889, 1696, 905}, 0xFFFFFF, line);
        compositor.drawText(location, "Springfield, IL", Rect{1492, 946, 1696, 958}, 0xFFFFFF,
                            line);
        compositor.done();
        benchmark::DoNotOptimize(frame.row(0)[0]);
    }
}
BENCHMARK(composeFrame)->Unit(benchmark::kMillisecond);

void stretchPhotoOnly(benchmark::State& state) {
    const DrawingSurface photo = gradient(2560, 1440);
    DrawingSurface frame = DrawingSurface::create(FRAME_WIDTH, FRAME_HEIGHT);
    Compositor compositor(frame);
    for (auto _ : state) {
        compositor.stretch(photo, 96, 54, 1728, 972);
        compositor.done();
        benchmark::DoNotOptimize(frame.row(0)[0]);
    }
}
BENCHMARK(stretchPhotoOnly)->Unit(benchmark::kMillisecond);

// One step of the transition: the whole new frame over the working copy.
void blendStep(benchmark::State& state) {
    const DrawingSurface next = gradient(FRAME_WIDTH, FRAME_HEIGHT);
    DrawingSurface working = DrawingSurface::create(FRAME_WIDTH, FRAME_HEIGHT);
    working.fill(0x336699);
    int nAlpha = 0;
    for (auto _ : state) {
        blendConstantAlpha(working, next, nAlpha);
        nAlpha = nAlpha % 50 + 1;
        benchmark::DoNotOptimize(working.row(0)[0]);
    }
}
BENCHMARK(blendStep)->Unit(benchmark::kMillisecond);

// The alternative the blend was measured against: a byte loop over the
// pixels, exact in its rounding, written for the compiler to vectorise.
__attribute__((optimize("tree-vectorize"))) void blendBytes(std::uint8_t* __restrict pTarget,
                                                            const std::uint8_t* __restrict pSource,
                                                            std::size_t nCount, unsigned alpha) {
    const unsigned inverse = 255 - alpha;
    for (std::size_t i = 0; i < nCount; ++i) {
        const auto t = static_cast<std::uint16_t>(pSource[i] * alpha + pTarget[i] * inverse + 128);
        pTarget[i] = static_cast<std::uint8_t>((t + (t >> 8)) >> 8);
    }
}

void blendStepByteLoop(benchmark::State& state) {
    DrawingSurface next = gradient(FRAME_WIDTH, FRAME_HEIGHT);
    DrawingSurface working = DrawingSurface::create(FRAME_WIDTH, FRAME_HEIGHT);
    working.fill(0x336699);
    const std::size_t nBytes = static_cast<std::size_t>(FRAME_WIDTH) * FRAME_HEIGHT * 4;
    unsigned alpha = 0;
    for (auto _ : state) {
        blendBytes(reinterpret_cast<std::uint8_t*>(working.row(0)),
                   reinterpret_cast<const std::uint8_t*>(next.row(0)), nBytes, alpha);
        alpha = alpha % 50 + 1;
        benchmark::DoNotOptimize(working.row(0)[0]);
    }
}
BENCHMARK(blendStepByteLoop)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
