#include "imaging/JpegDecoder.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/ManifestValues.h"
#include "slideshow/ResourceNames.h"
#include "tools/wxs-pack/PackInspection.h"

#include <ostream>

namespace {

// "1920x1080, 402311 bytes", or why the resource is not usable.
std::string describeResource(PackModule hModule, const std::string& csName) {
    const PackResource resource = findResource(hModule, csName, kJpegResourceType);
    if (!resource) {
        return "missing";
    }
    std::string data;
    std::string csError;
    int nWidth = 0;
    int nHeight = 0;
    if (!loadResource(hModule, resource, data, csError) ||
        !readJpegSize(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), nWidth,
                      nHeight, csError)) {
        return "unreadable (" + csError + ")";
    }
    return std::to_string(nWidth) + "x" + std::to_string(nHeight) + ", " +
           std::to_string(data.size()) + " bytes";
}

std::string answerOrMissing(const ImageDLLInterface& pack, PackExport id,
                            const std::string& csAnswer) {
    if (!pack.isBound(id)) {
        return csAnswer + " (missing: fallback)";
    }
    const int nMinVersion = kPackExports[static_cast<std::size_t>(id)].nMinVersion;
    if (pack.getDLLVersionNumber() < nMinVersion) {
        return csAnswer + " (asked from version " + std::to_string(nMinVersion) + " on: fallback)";
    }
    return csAnswer;
}

void printGroups(const ImageDLLInterface& pack, std::ostream& out) {
    const int nGroups = pack.getNumImageGroups();
    for (int g = 1; g <= nGroups && g <= 99; ++g) {
        const int nImages = pack.getNumImagesForGroup(g);
        out << "\ngroup " << g << ": \"" << pack.getDisplayNameForGroup(g) << "\", " << nImages
            << " image(s)\n";
        for (int i = 1; i <= nImages && i <= 99; ++i) {
            int offsets[2] = {0, 0};
            const int nBox = pack.getBoxLocationForImage(g, i, offsets);
            out << "  image " << i << ": box " << nBox << " (" << boxLocationName(nBox) << ") at "
                << offsets[0] << "," << offsets[1] << "; border "
                << colourToManifest(pack.getBorderColorForImage(g, i)) << "; text weather "
                << colourToManifest(pack.getColorForWeatherText(g, i)) << " location "
                << colourToManifest(pack.getColorForLocationText(g, i)) << " temperature "
                << colourToManifest(pack.getColorForTemperatureText(g, i)) << "\n";
            const PackModule hModule = pack.getModuleHandle();
            out << "    photo " << photoResourceName(g, i) << ": "
                << describeResource(hModule, photoResourceName(g, i)) << "\n";
            out << "    thumbnail " << thumbnailResourceName(g, i) << ": "
                << describeResource(hModule, thumbnailResourceName(g, i)) << "\n";
        }
    }
}

void printSkyCodes(const ImageDLLInterface& pack, std::ostream& out) {
    out << "\nsky code -> group:";
    for (int nCode = 0; nCode <= 48; ++nCode) {
        out << (nCode % 10 == 0 ? "\n  " : "  ") << nCode << "->" << pack.getGroupForSkyCode(nCode);
    }
    out << "\n";
}

void printPanelResources(const ImageDLLInterface& pack, std::ostream& out) {
    const PackModule hModule = pack.getModuleHandle();
    out << "\npanel artwork " << kPanelResourceName << ": "
        << describeResource(hModule, kPanelResourceName) << "\n";
    int nIcons = 0;
    std::string csMissing;
    for (int nCode = 0; nCode <= 48; ++nCode) {
        if (findResource(hModule, iconResourceName(nCode), kJpegResourceType)) {
            ++nIcons;
        } else {
            csMissing += ' ';
            csMissing += iconResourceName(nCode);
        }
    }
    out << "condition icons #5000-#5048: " << nIcons << " of 49 present"
        << (csMissing.empty() ? "" : "; missing" + csMissing) << "\n";
    out << "icon " << iconResourceName(0) << ": " << describeResource(hModule, iconResourceName(0))
        << "\n";
    out << "not-available icon " << kNotAvailableIconName << ": "
        << describeResource(hModule, kNotAvailableIconName) << "\n";
    std::size_t nEntries = 0;
    std::uint64_t nBytes = 0;
    for (const auto& [csName, entry] : hModule->entries()) {
        ++nEntries;
        nBytes += entry.nSize;
    }
    out << "archive: " << nEntries << " entries, " << nBytes << " bytes uncompressed\n";
}

} // namespace

bool printPackInfo(const std::string& csPackPath, std::ostream& out) {
    const ImageDLLInterface pack(csPackPath);
    out << "pack: " << csPackPath << "\n";
    if (!pack.isLoaded()) {
        out << "not loaded: every operation answers its fallback\n";
        return false;
    }
    out << "getDLLVersionNumber: "
        << answerOrMissing(pack, PackExport::getDLLVersionNumber,
                           std::to_string(pack.getDLLVersionNumber()))
        << "\n";
    out << "getDLLDisplayName: \""
        << answerOrMissing(pack, PackExport::getDLLDisplayName, pack.getDLLDisplayName() + "\"")
        << "\n";
    out << "getNumImageGroups: "
        << answerOrMissing(pack, PackExport::getNumImageGroups,
                           std::to_string(pack.getNumImageGroups()))
        << "\n";
    out << "getIconPath: \""
        << answerOrMissing(pack, PackExport::getIconPath, pack.getIconPath() + "\"") << "\n";
    out << "supportsWxTriggered: "
        << answerOrMissing(pack, PackExport::supportsWxTriggered,
                           pack.supportsWxTriggered() ? "true" : "false")
        << "\n";
    printGroups(pack, out);
    printSkyCodes(pack, out);
    printPanelResources(pack, out);
    return true;
}
