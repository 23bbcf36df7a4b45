// Parses arbitrary text as a pack's manifest.ini, binds the operations and
// asks each bound one, as loading a pack does.
#include "PackChecks.h"
#include "slideshow/PackManifest.h"

#include <cstddef>
#include <cstdint>

namespace {

std::string textOf(void (PackExports::*operation)(char*, int) const, const PackExports& exports) {
    char szBuffer[32] = {};
    (exports.*operation)(szBuffer, 31);
    return szBuffer;
}

void checkBound(const PackExports& exports) {
    using fuzzing::fail;
    if (exports.has(PackExport::getNumImageGroups) &&
        (exports.getNumImageGroups() < 0 || exports.getNumImageGroups() > kMaxImageGroups)) {
        fail("group count " + std::to_string(exports.getNumImageGroups()));
    }
    for (int nGroup = 0; nGroup <= kMaxImageGroups + 1; ++nGroup) {
        if (exports.has(PackExport::getNumImagesForGroup)) {
            const int nImages = exports.getNumImagesForGroup(nGroup);
            if (nImages < 0 || nImages > kMaxImagesPerGroup) {
                fail("image count " + std::to_string(nImages));
            }
        }
        if (exports.has(PackExport::getBoxLocationForImage)) {
            int offsets[2] = {0, 0};
            exports.getBoxLocationForImage(nGroup, 1, offsets);
            if (std::abs(offsets[0]) > kMaxBoxOffset || std::abs(offsets[1]) > kMaxBoxOffset) {
                fail("box offset");
            }
        }
        if (exports.has(PackExport::getDisplayNameForGroup)) {
            char szBuffer[32] = {};
            exports.getDisplayNameForGroup(nGroup, szBuffer, 31);
            fuzzing::checkText(szBuffer, exports.groupNames().lookup(nGroup, 0, std::string()),
                               "group name");
        }
    }
    if (exports.has(PackExport::getGroupForSkyCode)) {
        for (int nCode = -2; nCode <= 50; ++nCode) {
            const int nGroup = exports.getGroupForSkyCode(nCode);
            if (nGroup != -1 && (nGroup < 1 || nGroup > kMaxImageGroups)) {
                fail("sky code group " + std::to_string(nGroup));
            }
        }
    }
    if (exports.has(PackExport::getDLLDisplayName)) {
        fuzzing::checkText(textOf(&PackExports::getDLLDisplayName, exports), exports.displayName(),
                           "display name");
    }
    if (exports.has(PackExport::getIconPath)) {
        const std::string csIcons = textOf(&PackExports::getIconPath, exports);
        fuzzing::checkText(csIcons, exports.iconPath(), "icon path");
        // The program reads "<icon path>NN.png" below the install folder.
        if (!isSafeIconPath(csIcons + "00.png")) {
            fail("icon path leaves the install folder");
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    PackManifest manifest;
    PackExports exports;
    std::string csError;
    if (!manifest.parse(text, csError) || !exports.bind(manifest, csError)) {
        if (csError.empty()) {
            fuzzing::fail("a manifest that is refused gives no reason");
        }
        return 0;
    }
    checkBound(exports);
    return 0;
}
