// Reading a large pack's thumbnails for the favourite picker (49 x 10
// images), as the "..." button does before the picker shows, for
// thumbnails of the list's size and for larger ones.
#include "bench/PickerPack.h"
#include "slideshow/ImageDLLInterface.h"
#include "ui/FavoriteThumbnails.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <unistd.h>

namespace {

std::string packOfThumbnails(int nWidth, int nHeight) {
    const std::string path =
        (std::filesystem::temp_directory_path() /
         ("bench-picker-" + std::to_string(getpid()) + "-" + std::to_string(nWidth) + ".wxs"))
            .string();
    std::string csError;
    if (!writePickerPack(path, nWidth, nHeight, csError)) {
        throw std::runtime_error(csError);
    }
    return path;
}

void readItems(benchmark::State& state) {
    const int nWidth = static_cast<int>(state.range(0));
    const int nHeight = static_cast<int>(state.range(1));
    const std::string path = packOfThumbnails(nWidth, nHeight);
    for (auto _ : state) {
        const ImageDLLInterface pack(path);
        const FavoriteItems items = readFavoriteItems(pack, "01,01;49,10");
        benchmark::DoNotOptimize(items.size());
    }
    std::filesystem::remove(path);
}
BENCHMARK(readItems)
    ->Args({120, 90})
    ->Args({480, 360})
    ->Args({121, 91})
    ->Unit(benchmark::kMillisecond);

} // namespace
