// What the weather panel adds to a composed 1920x1080 frame, per panel
// variant: the same photo of each sample pack composed again and again,
// once with the panel and once without (as a preview has it).
#include "tools/frames/OffscreenShow.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

namespace {

constexpr int kFrameWidth = 1920;
constexpr int kFrameHeight = 1080;

void composeSamplePack(benchmark::State& state, const char* szPack, bool bWithPanel) {
    // The version-5 pack's PNG icons live beside the packs.
    setenv("NIMBORA_INSTALL_FOLDER", NIMBORA_SAMPLE_FOLDER "/", 1);
    OffscreenShow show(std::string(NIMBORA_SAMPLE_FOLDER "/") + szPack);
    FrameComposer& composer = show.composer();
    composer.m_nSkyCode = 12;
    composer.m_csTemperature = "41\xC2\xB0"
                               "F";
    composer.m_csCCText = "Light Rain and Fog/Mist";
    composer.m_csDisplayName = "Boulder, CO";
    show.setPanel(bWithPanel);
    if (!show.compose(kFrameWidth, kFrameHeight, true).isValid()) {
        state.SkipWithError("the sample pack does not compose");
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(show.compose(kFrameWidth, kFrameHeight, false).get());
    }
}

BENCHMARK_CAPTURE(composeSamplePack, skies_v5_panel, "nimbora-skies.wxs", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(composeSamplePack, skies_v5_photo_only, "nimbora-skies.wxs", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(composeSamplePack, horizons_v4_panel, "nimbora-horizons.wxs", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(composeSamplePack, horizons_v4_photo_only, "nimbora-horizons.wxs", false)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(composeSamplePack, classic_v1_panel, "nimbora-classic.wxs", true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(composeSamplePack, classic_v1_photo_only, "nimbora-classic.wxs", false)
    ->Unit(benchmark::kMillisecond);

} // namespace
