// What the weather panel adds to a composed 1920x1080 frame, per panel
// variant: the panel drawn alone on a composed frame of each sample pack,
// beside the whole composition of the same frame with the panel.
#include "imaging/TextFont.h"
#include "tools/frames/OffscreenShow.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

namespace {

constexpr int kFrameWidth = 1920;
constexpr int kFrameHeight = 1080;

// The sample pack's path; the version-5 pack carries its PNG icons.
std::string samplePack(const char* szPack) {
    setenv("NIMBORA_INSTALL_FOLDER", NIMBORA_SAMPLE_FOLDER "/", 1);
    return std::string(NIMBORA_SAMPLE_FOLDER "/") + szPack;
}

// A show of the sample pack with the weather set and its first frame made.
class SampleShow {
public:
    explicit SampleShow(const char* szPack) : m_show(samplePack(szPack)) {
        FrameComposer& composer = m_show.composer();
        composer.m_nSkyCode = 12;
        composer.m_csTemperature = "41\xC2\xB0"
                                   "F";
        composer.m_csCCText = "Light Rain and Fog/Mist";
        composer.m_csDisplayName = "Boulder, CO";
        m_bValid = m_show.compose(kFrameWidth, kFrameHeight, true).isValid();
    }

    bool isValid() const { return m_bValid; }
    OffscreenShow& show() { return m_show; }

private:
    OffscreenShow m_show;
    bool m_bValid = false;
};

// The whole frame again: the same photo decoded, fitted and the panel on it.
void composeWithPanel(benchmark::State& state, const char* szPack) {
    SampleShow sample(szPack);
    if (!sample.isValid()) {
        state.SkipWithError("the sample pack does not compose");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(sample.show().compose(kFrameWidth, kFrameHeight, false).get());
    }
}

// The panel alone, as the composer calls it for the pack's version, on a
// copy of that frame (whose photo fills it, so the photo lies at 0, 0).
void drawPanel(benchmark::State& state, const char* szPack) {
    SampleShow sample(szPack);
    if (!sample.isValid()) {
        state.SkipWithError("the sample pack does not compose");
        return;
    }
    const FrameComposer& composer = sample.show().composer();
    WeatherPanel& panel = sample.show().panel();
    DrawingSurface frame = composer.currentFrame().clone();
    const int nVersion = composer.imagedll()->getDLLVersionNumber();
    const Rect photo{0, 0, kFrameWidth, kFrameHeight};
    for (auto _ : state) {
        bool bOkToShowWeather = false;
        Rect box;
        if (nVersion >= 2 && nVersion <= 5) {
            panel.drawBlueBox2(composer, frame, &bOkToShowWeather, &box, photo, nVersion);
        } else {
            panel.drawBlueBox(composer, frame, &bOkToShowWeather, &box, photo, nVersion);
        }
        if (nVersion >= 2 && nVersion <= 4) {
            panel.drawWeather2(composer, frame, box, nVersion);
        } else if (nVersion == 5) {
            panel.drawWeather5(composer, frame, box, nVersion);
        } else {
            panel.drawWeather(composer, frame, box, nVersion);
        }
        benchmark::DoNotOptimize(frame.get());
    }
}

BENCHMARK_CAPTURE(composeWithPanel, skies_v5, "nimbora-skies.wxs")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPanel, skies_v5, "nimbora-skies.wxs")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(composeWithPanel, horizons_v4, "nimbora-horizons.wxs")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPanel, horizons_v4, "nimbora-horizons.wxs")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(composeWithPanel, classic_v1, "nimbora-classic.wxs")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(drawPanel, classic_v1, "nimbora-classic.wxs")->Unit(benchmark::kMillisecond);

// What keeping the panel's fonts between frames would save: the three
// fonts of the first layout made afresh.
void makePanelFonts(benchmark::State& state) {
    for (auto _ : state) {
        for (const int nHeight : {13, 24, 15}) {
            benchmark::DoNotOptimize(TextFont::create("Arial", nHeight, 400).cellHeight());
        }
    }
}
BENCHMARK(makePanelFonts)->Unit(benchmark::kMicrosecond);

} // namespace
