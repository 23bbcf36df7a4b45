#include "slideshow/PackIcons.h"

std::string packFolderOf(const std::string& csPackPath) {
    const auto nSlash = csPackPath.rfind('/');
    return nSlash == std::string::npos ? std::string() : csPackPath.substr(0, nSlash + 1);
}

PngDecodeResult loadPackPngIcon(PackModule hModule, const std::string& csName,
                                const ImageDecodeLimits& limits, std::string& csSource) {
    if (hModule == nullptr) {
        csSource = csName;
        return {DrawingSurface(), "no pack is loaded"};
    }
    const std::string csEntry = kPackIconsFolder + csName;
    if (hModule->find(csEntry) == nullptr) {
        csSource = packFolderOf(hModule->path()) + csName;
        return loadPngFile(csSource, limits);
    }
    csSource = hModule->path() + ":" + csEntry;
    std::string data;
    std::string csError;
    if (!hModule->read(csEntry, limits.nMaxFileBytes, data, csError)) {
        return {DrawingSurface(), csError};
    }
    return decodePng(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), limits);
}
