// Decoding and drawing one full-screen photo of the default sample pack.
#include "imaging/CxImage.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/ResourceNames.h"

#include <benchmark/benchmark.h>

namespace {

std::string photoData(const ImageDLLInterface& pack, const std::string& csName) {
    std::string data;
    std::string csError;
    const PackResource resource = findResource(pack.getModuleHandle(), csName, "JPEG");
    loadResource(pack.getModuleHandle(), resource, data, csError);
    return data;
}

void decodePhoto(benchmark::State& state) {
    const ImageDLLInterface pack(NIMBORA_SAMPLE_PACK);
    const std::string data = photoData(pack, photoResourceName(3, 1));
    if (data.empty()) {
        state.SkipWithError("the sample pack has no photo #301");
        return;
    }
    for (auto _ : state) {
        CxImage image;
        benchmark::DoNotOptimize(image.Decode(reinterpret_cast<const std::uint8_t*>(data.data()),
                                              data.size(), CXIMAGE_FORMAT_JPG));
    }
    state.SetLabel("1920x1080, " + std::to_string(data.size()) + " bytes");
}
BENCHMARK(decodePhoto)->Unit(benchmark::kMillisecond);

void loadPhotoFromPack(benchmark::State& state) {
    const ImageDLLInterface pack(NIMBORA_SAMPLE_PACK);
    for (auto _ : state) {
        CxImage image;
        const PackResource resource =
            findResource(pack.getModuleHandle(), photoResourceName(3, 1), "JPEG");
        benchmark::DoNotOptimize(
            image.LoadResource(resource, CXIMAGE_FORMAT_JPG, pack.getModuleHandle()));
    }
}
BENCHMARK(loadPhotoFromPack)->Unit(benchmark::kMillisecond);

// Drawing the photo at its own size and scaled to nine tenths of a screen.
void drawPhoto(benchmark::State& state) {
    const ImageDLLInterface pack(NIMBORA_SAMPLE_PACK);
    const std::string data = photoData(pack, photoResourceName(3, 1));
    CxImage image;
    image.Decode(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(),
                 CXIMAGE_FORMAT_JPG);
    DrawingSurface frame = DrawingSurface::create(1920, 1080);
    const int nWidth = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(image.Draw(&frame, 0, 0, nWidth, nWidth * 9 / 16));
    }
}
BENCHMARK(drawPhoto)->Arg(1920)->Arg(1152)->Unit(benchmark::kMillisecond);

} // namespace
