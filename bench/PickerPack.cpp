#include "bench/PickerPack.h"

#include "imaging/DrawingSurface.h"
#include "imaging/JpegEncoder.h"
#include "tools/PackWriter.h"

#include <random>
#include <sstream>

namespace {

constexpr int kGroups = 49;
constexpr int kImages = 10;

DrawingSurface grainySky(int nWidth, int nHeight, unsigned nSeed) {
    DrawingSurface surface = DrawingSurface::create(nWidth, nHeight);
    std::mt19937 random(nSeed);
    const int nTop = static_cast<int>(random() % 128);
    const int nHue = static_cast<int>(random() % 96);
    for (int y = 0; y < nHeight; ++y) {
        std::uint32_t* pRow = surface.row(y);
        for (int x = 0; x < nWidth; ++x) {
            const int nGrain = static_cast<int>(random() % 24);
            const int nBlue = 128 + (127 * y) / nHeight - nGrain / 2;
            const int nGreen = nTop + (64 * x) / nWidth + nGrain;
            const int nRed = nHue + nGrain;
            pRow[x] = 0xFF000000u | static_cast<std::uint32_t>(nRed & 0xFF) << 16 |
                      static_cast<std::uint32_t>(nGreen & 0xFF) << 8 |
                      static_cast<std::uint32_t>(nBlue & 0xFF);
        }
    }
    surface.markDirty();
    return surface;
}

std::string manifest() {
    std::ostringstream text;
    text << "[pack]\nformat = 1\n\n[getNumImageGroups]\nvalue = " << kGroups
         << "\n\n[getNumImagesForGroup]\ndefault = " << kImages
         << "\n\n[getDLLDisplayName]\nvalue = Picker Timing\n\n[getDLLVersionNumber]\nvalue = 4\n"
         << "\n[getDisplayNameForGroup]\n";
    for (int g = 1; g <= kGroups; ++g) {
        text << g << " = Sky " << g << "\n";
    }
    return text.str();
}

} // namespace

bool writePickerPack(const std::string& csPath, int nWidth, int nHeight, std::string& csError) {
    PackWriter writer;
    writer.addEntry("manifest.ini", manifest());
    std::string photo;
    if (!encodeJpeg(grainySky(320, 240, 1), 85, photo, csError)) {
        return false;
    }
    for (int g = 1; g <= kGroups; ++g) {
        for (int i = 1; i <= kImages; ++i) {
            const int nId = 100 * g + i;
            std::string thumbnail;
            if (!encodeJpeg(grainySky(nWidth, nHeight, static_cast<unsigned>(nId)), 85, thumbnail,
                            csError)) {
                return false;
            }
            writer.addEntry("JPEG/" + std::to_string(nId) + ".jpg", photo);
            writer.addEntry("JPEG/" + std::to_string(10000 + nId) + ".jpg", std::move(thumbnail));
        }
    }
    return writer.write(csPath, csError);
}
