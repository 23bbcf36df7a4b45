#include "slideshow/ImageDLLInterface.h"

#include "app/Trace.h"
#include "platform/DebugOutput.h"
#include "slideshow/PackManifest.h"

namespace {

constexpr const char* kTracePrefix = "ImageDLLInterface::ImageDLLInterface() - ";

// Text operations hand the pack a 32-byte buffer whose last byte is already
// NUL and tell it 31 bytes fit, so the answer is always terminated.
constexpr int kTextBufferSize = 32;

template <typename Export>
std::string textAnswer(Export exportCall) {
    char szBuffer[kTextBufferSize] = {};
    szBuffer[kTextBufferSize - 1] = '\0';
    exportCall(szBuffer, kTextBufferSize - 1);
    return szBuffer;
}

// An export asked from a later pack version on (the export table says
// which) answers only when the pack is at least that version and binds it.
bool answers(const ImageDLLInterface& pack, PackExport id) {
    const int nMinVersion = kPackExports[static_cast<std::size_t>(id)].nMinVersion;
    return pack.getDLLVersionNumber() >= nMinVersion && pack.isBound(id);
}

} // namespace

ImageDLLInterface::ImageDLLInterface() = default;

ImageDLLInterface::ImageDLLInterface(const std::string& csPath) {
    std::string csError;
    m_hModule = PackArchive::open(csPath, csError);
    if (m_hModule != nullptr && !loadManifest(csError)) {
        m_hModule.reset();
    }
    if (m_hModule == nullptr) {
        m_exports = PackExports();
        platform::debugOutput("Image pack " + csPath + " not loaded: " + csError);
        if (isLogging()) {
            logMessage(std::string(kTracePrefix) + "Unable to load library " + csPath);
        }
        return;
    }
    logMissingExports();
}

ImageDLLInterface::~ImageDLLInterface() = default;

bool ImageDLLInterface::loadManifest(std::string& csError) {
    std::string csText;
    if (!m_hModule->read(PackManifest::kEntryName, PackManifest::kMaxSize, csText, csError)) {
        return false;
    }
    PackManifest manifest;
    return manifest.parse(csText, csError) && m_exports.bind(manifest, csError);
}

void ImageDLLInterface::logMissingExports() const {
    std::string csMissing;
    for (const PackExportInfo& info : kPackExports) {
        if (info.szMissingWord != nullptr && !m_exports.has(info.id)) {
            csMissing += info.szMissingWord;
        }
    }
    if (!csMissing.empty() && isLogging()) {
        logMessage(std::string(kTracePrefix) + "Unable to load function(s) " + csMissing);
    }
}

int ImageDLLInterface::getNumImagesForGroup(int nGroup) const {
    return isBound(PackExport::getNumImagesForGroup) ? m_exports.getNumImagesForGroup(nGroup) : -1;
}

int ImageDLLInterface::getBoxLocationForImage(int nGroup, int nImage, int offsets[2]) const {
    return isBound(PackExport::getBoxLocationForImage)
               ? m_exports.getBoxLocationForImage(nGroup, nImage, offsets)
               : -1;
}

int ImageDLLInterface::getGroupForSkyCode(int nSkyCode) const {
    return isBound(PackExport::getGroupForSkyCode) ? m_exports.getGroupForSkyCode(nSkyCode) : -1;
}

int ImageDLLInterface::getNumImageGroups() const {
    return isBound(PackExport::getNumImageGroups) ? m_exports.getNumImageGroups() : -1;
}

COLORREF ImageDLLInterface::getBorderColorForImage(int nGroup, int nImage) const {
    return isBound(PackExport::getBorderColorForImage)
               ? m_exports.getBorderColorForImage(nGroup, nImage)
               : static_cast<COLORREF>(-1);
}

std::string ImageDLLInterface::getDLLDisplayName() const {
    if (!isBound(PackExport::getDLLDisplayName)) {
        return {};
    }
    return textAnswer([this](char* p, int n) { m_exports.getDLLDisplayName(p, n); });
}

int ImageDLLInterface::getDLLVersionNumber() const {
    return isBound(PackExport::getDLLVersionNumber) ? m_exports.getDLLVersionNumber() : -1;
}

std::string ImageDLLInterface::getIconPath() const {
    if (!answers(*this, PackExport::getIconPath)) {
        return kInvalidIconPath;
    }
    return textAnswer([this](char* p, int n) { m_exports.getIconPath(p, n); });
}

bool ImageDLLInterface::supportsWxTriggered() const {
    if (!answers(*this, PackExport::supportsWxTriggered)) {
        return true;
    }
    return m_exports.supportsWxTriggered();
}

COLORREF ImageDLLInterface::getColorForWeatherText(int nGroup, int nImage) const {
    if (!answers(*this, PackExport::getColorForWeatherText)) {
        return 0;
    }
    return m_exports.getColorForWeatherText(nGroup, nImage);
}

COLORREF ImageDLLInterface::getColorForLocationText(int nGroup, int nImage) const {
    if (!answers(*this, PackExport::getColorForLocationText)) {
        return 0xFFFFFF;
    }
    return m_exports.getColorForLocationText(nGroup, nImage);
}

COLORREF ImageDLLInterface::getColorForTemperatureText(int nGroup, int nImage) const {
    if (!answers(*this, PackExport::getColorForTemperatureText)) {
        return 0xFFFFFF;
    }
    return m_exports.getColorForTemperatureText(nGroup, nImage);
}

std::string ImageDLLInterface::getDisplayNameForGroup(int nGroup) const {
    if (!isBound(PackExport::getDisplayNameForGroup)) {
        return {};
    }
    return textAnswer(
        [this, nGroup](char* p, int n) { m_exports.getDisplayNameForGroup(nGroup, p, n); });
}
