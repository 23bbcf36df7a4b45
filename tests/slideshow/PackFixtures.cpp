#include "PackFixtures.h"

#include "imaging/JpegEncoder.h"
#include "imaging/PngEncoder.h"
#include "slideshow/ResourceNames.h"
#include "tools/PackWriter.h"

#include <sstream>
#include <stdexcept>
#include <vector>

namespace fixtures {

DrawingSurface solidSurface(int nWidth, int nHeight, std::uint32_t rgb) {
    DrawingSurface surface = DrawingSurface::create(nWidth, nHeight);
    surface.fill(rgb);
    return surface;
}

DrawingSurface quadrantSurface(int nWidth, int nHeight) {
    DrawingSurface surface = DrawingSurface::create(nWidth, nHeight);
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            const bool bRight = x >= nWidth / 2;
            const bool bBottom = y >= nHeight / 2;
            const std::uint32_t rgb =
                bBottom ? (bRight ? 0xFFFFFF : 0x0000FF) : (bRight ? 0x00FF00 : 0xFF0000);
            surface.row(y)[x] = 0xFF000000u | rgb;
        }
    }
    surface.markDirty();
    return surface;
}

std::string jpegOf(const DrawingSurface& surface, int nQuality) {
    std::string data;
    std::string csError;
    if (!encodeJpeg(surface, nQuality, data, csError)) {
        throw std::runtime_error("cannot encode test picture: " + csError);
    }
    return data;
}

namespace {

struct Section {
    std::string csName;
    std::string csBody;
};

std::vector<Section> completeSections(int nVersion) {
    return {
        {"getNumImagesForGroup", "1 = 2\n2 = 2\n"},
        {"getBoxLocationForImage", "default = lower-right 20 30\n2.1 = upper-left 5 -6\n"},
        {"getGroupForSkyCode", "32 = 1\n31 = 2\n"},
        {"getNumImageGroups", "value = 2\n"},
        {"getBorderColorForImage", "default = #102030\n"},
        {"getDLLDisplayName", "value = Test Skies\n"},
        {"getDLLVersionNumber", "value = " + std::to_string(nVersion) + "\n"},
        {"getIconPath", "value = test-icons/\n"},
        {"supportsWxTriggered", "value = false\n"},
        {"getColorForWeatherText", "default = #112233\n"},
        {"getColorForLocationText", "default = #445566\n"},
        {"getColorForTemperatureText", "default = #778899\n"},
        {"getDisplayNameForGroup", "1 = Sunny\n2 = Night\n"},
    };
}

} // namespace

std::string manifestWithout(int nVersion, const std::string& csSections) {
    std::ostringstream text;
    text << "[pack]\nformat = 1\n";
    for (const Section& section : completeSections(nVersion)) {
        if (("," + csSections + ",").find("," + section.csName + ",") == std::string::npos) {
            text << "\n[" << section.csName << "]\n" << section.csBody;
        }
    }
    return text.str();
}

std::string completeManifest(int nVersion) {
    return manifestWithout(nVersion, "");
}

void writePack(const std::string& csPath, const std::string& csManifest,
               const std::map<int, std::string>& jpegs,
               const std::map<std::string, std::string>& extraEntries) {
    PackWriter writer;
    writer.addEntry("manifest.ini", csManifest);
    for (const auto& [nIdentifier, data] : jpegs) {
        writer.addEntry("JPEG/" + std::to_string(nIdentifier) + ".jpg", data);
    }
    for (const auto& [csName, data] : extraEntries) {
        writer.addEntry(csName, data);
    }
    std::string csError;
    if (!writer.write(csPath, csError)) {
        throw std::runtime_error("cannot write test pack: " + csError);
    }
}

std::string pngOf(const DrawingSurface& surface) {
    return encodePng(surface);
}

void writeValidPack(const std::string& csPath, std::uint32_t rgb,
                    const std::map<std::string, std::string>& extraEntries) {
    std::map<int, std::string> jpegs;
    const std::string csPhoto = jpegOf(solidSurface(64, 36, rgb));
    const std::string csThumbnail = jpegOf(solidSurface(120, 90, rgb));
    for (int g = 1; g <= 2; ++g) {
        for (int i = 1; i <= 2; ++i) {
            jpegs[100 * g + i] = csPhoto;
            jpegs[10000 + 100 * g + i] = csThumbnail;
        }
    }
    jpegs[5099] = jpegOf(solidSurface(40, 20, 0x1F4E9A));
    std::map<std::string, std::string> entries;
    const std::string csIcon = pngOf(solidSurface(8, 8, 0xFFCC00));
    for (int nCode = 0; nCode <= 48; ++nCode) {
        entries["icons/test-icons/" + iconFileName(nCode)] = csIcon;
    }
    for (const auto& [csName, data] : extraEntries) {
        entries[csName] = data;
    }
    writePack(csPath, completeManifest(5), jpegs, entries);
}

} // namespace fixtures
