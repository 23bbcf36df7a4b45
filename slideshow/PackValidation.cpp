#include "slideshow/PackValidation.h"

#include "imaging/CxImage.h"
#include "platform/Folders.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/PackIcons.h"
#include "slideshow/PackManifest.h"
#include "slideshow/ResourceNames.h"

#include <ostream>

namespace {

class Validation {
public:
    Validation(const ImageDLLInterface& pack, std::ostream& out) : m_pack(pack), m_out(out) {}

    void error(const std::string& csText) {
        m_out << "error: " << csText << "\n";
        ++m_nErrors;
    }
    void warning(const std::string& csText) { m_out << "warning: " << csText << "\n"; }
    int errors() const { return m_nErrors; }

    // Decodes a picture; checks its size when nWidth is not 0.
    void picture(const std::string& csName, const std::string& csWhat, int nWidth = 0,
                 int nHeight = 0) {
        const PackResource resource =
            findResource(m_pack.getModuleHandle(), csName, kJpegResourceType);
        if (!resource) {
            error(csWhat + " " + csName + " is missing");
            return;
        }
        CxImage image;
        if (!image.LoadResource(resource, CXIMAGE_FORMAT_JPG, m_pack.getModuleHandle())) {
            error(csWhat + " " + csName + " does not decode: " + image.GetLastError());
            return;
        }
        if (nWidth != 0 && (image.GetWidth() != nWidth || image.GetHeight() != nHeight)) {
            warning(csWhat + " " + csName + " is " + std::to_string(image.GetWidth()) + "x" +
                    std::to_string(image.GetHeight()) + ", not " + std::to_string(nWidth) + "x" +
                    std::to_string(nHeight));
        }
    }

private:
    const ImageDLLInterface& m_pack;
    std::ostream& m_out;
    int m_nErrors = 0;
};

void checkExports(const ImageDLLInterface& pack, Validation& check) {
    for (const PackExportInfo& info : kPackExports) {
        if (!pack.isBound(info.id)) {
            if (info.szMissingWord != nullptr) {
                check.error(std::string("required section [") + info.szName + "] is missing");
            } else if (pack.getDLLVersionNumber() >= info.nMinVersion) {
                check.warning(std::string("section [") + info.szName +
                              "] is missing: its fallback is used");
            }
        }
    }
    const int nVersion = pack.getDLLVersionNumber();
    if (pack.isBound(PackExport::getDLLVersionNumber) && (nVersion < 1 || nVersion > 5)) {
        check.error("version " + std::to_string(nVersion) + " is not one of 1 to 5");
    }
    if (pack.exports().displayName().size() > 31) {
        check.warning("display name is longer than 31 bytes and will be cut");
    }
}

void checkGroups(const ImageDLLInterface& pack, Validation& check) {
    const int nGroups = pack.getNumImageGroups();
    if (pack.isBound(PackExport::getNumImageGroups) && (nGroups < 1 || nGroups > 49)) {
        check.error("group count " + std::to_string(nGroups) + " is not one of 1 to 49");
        return;
    }
    for (int g = 1; g <= nGroups; ++g) {
        const int nImages = pack.getNumImagesForGroup(g);
        const std::string csGroup = "group " + std::to_string(g);
        if (nImages < 1 || nImages > 99) {
            check.error(csGroup + " has " + std::to_string(nImages) +
                        " images, not one of 1 to 99");
            continue;
        }
        if (pack.getDisplayNameForGroup(g).empty()) {
            check.warning(csGroup + " has no display name");
        }
        for (int i = 1; i <= nImages; ++i) {
            check.picture(photoResourceName(g, i), csGroup + " photo");
            check.picture(thumbnailResourceName(g, i), csGroup + " thumbnail", 120, 90);
        }
    }
    for (int nCode = 0; nCode <= 47; ++nCode) {
        const int nGroup = pack.getGroupForSkyCode(nCode);
        if (nGroup != -1 && (nGroup < 1 || nGroup > nGroups)) {
            check.error("sky code " + std::to_string(nCode) + " names group " +
                        std::to_string(nGroup) + ", which does not exist");
        } else if (nGroup == -1) {
            check.warning("sky code " + std::to_string(nCode) + " has no group");
        }
    }
}

void checkPngIcon(const ImageDLLInterface& pack, const std::string& csName,
                  const PackValidationOptions& options, Validation& check) {
    const PackModule hModule = pack.getModuleHandle();
    if (hModule->find(kPackIconsFolder + csName) == nullptr) {
        if (options.bIconsInArchiveOnly) {
            check.error("icon " + std::string(kPackIconsFolder) + csName +
                        " is missing from the pack");
        } else if (!platform::fileExists(options.csIconFolder + csName)) {
            check.error("icon file " + options.csIconFolder + csName + " is missing");
        }
        return;
    }
    std::string csSource;
    const PngDecodeResult icon = loadPackPngIcon(hModule, csName, kIconDecodeLimits, csSource);
    if (!icon.ok()) {
        check.error("icon " + csSource + " does not decode: " + icon.csError);
    }
}

void checkPanel(const ImageDLLInterface& pack, const PackValidationOptions& options,
                Validation& check) {
    check.picture(kPanelResourceName, "panel artwork");
    const int nVersion = pack.getDLLVersionNumber();
    if (nVersion < 5) {
        for (int nCode = 0; nCode <= 48; ++nCode) {
            check.picture(iconResourceName(nCode), "condition icon");
        }
        check.picture(kNotAvailableIconName, "condition icon");
        return;
    }
    for (int nCode = 0; nCode <= 48; ++nCode) {
        checkPngIcon(pack, pack.getIconPath() + iconFileName(nCode), options, check);
    }
}

void checkUnknownSections(const std::string& csPackPath, Validation& check) {
    std::string csError;
    const auto pArchive = PackArchive::open(csPackPath, csError);
    std::string csText;
    PackManifest manifest;
    if (pArchive == nullptr ||
        !pArchive->read(PackManifest::kEntryName, PackManifest::kMaxSize, csText, csError) ||
        !manifest.parse(csText, csError)) {
        check.error("the pack does not load: " + csError);
        return;
    }
    PackExports exports;
    if (!exports.bind(manifest, csError)) {
        check.error("the pack does not load: " + csError);
        return;
    }
    for (const PackManifest::Section& section : manifest.sections()) {
        bool bKnown = section.csName == "pack";
        for (const PackExportInfo& info : kPackExports) {
            bKnown = bKnown || section.csName == info.szName;
        }
        if (!bKnown) {
            check.warning("unknown section [" + section.csName + "] is ignored");
        }
    }
}

} // namespace

int validatePack(const std::string& csPackPath, const PackValidationOptions& optionsIn,
                 std::ostream& out) {
    const ImageDLLInterface pack(csPackPath);
    Validation check(pack, out);
    checkUnknownSections(csPackPath, check);
    if (!pack.isLoaded()) {
        return check.errors();
    }
    PackValidationOptions options = optionsIn;
    if (options.csIconFolder.empty()) {
        options.csIconFolder = packFolderOf(csPackPath);
    }
    if (!options.csIconFolder.empty() && options.csIconFolder.back() != '/') {
        options.csIconFolder += '/';
    }
    checkExports(pack, check);
    checkGroups(pack, check);
    checkPanel(pack, options, check);
    return check.errors();
}

int validatePack(const std::string& csPackPath, const std::string& csIconFolder,
                 std::ostream& out) {
    return validatePack(csPackPath, PackValidationOptions{csIconFolder, false}, out);
}
