#pragma once

#include "FuzzScratch.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/PackExports.h"
#include "slideshow/ResourceNames.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <string>

namespace fuzzing {

// The identifier in a photo's resource name ("#307" is 307).
inline int photoIdentifier(int nGroup, int nImage) {
    const std::string csName = photoResourceName(nGroup, nImage);
    int nIdentifier = 0;
    std::from_chars(csName.data() + 1, csName.data() + csName.size(), nIdentifier);
    return nIdentifier;
}

// A text answer is the source text, or as much of it as fits its buffer
// without splitting a UTF-8 character: cut at most three bytes short, and
// inside a run of continuation bytes only when the run is too long to be
// one character's.
inline void checkText(const std::string& csAnswer, const std::string& csSource,
                      const char* szWhat) {
    const auto continues = [&csSource](std::size_t nAt) {
        return (static_cast<unsigned char>(csSource[nAt]) & 0xC0) == 0x80;
    };
    const std::size_t nCut = csAnswer.size();
    if (nCut > 31 || csSource.compare(0, nCut, csAnswer) != 0) {
        fail(std::string(szWhat) + " is not the start of its text");
    }
    if (nCut == csSource.size()) {
        return;
    }
    if (nCut + 3 < 31) {
        fail(std::string(szWhat) + " was cut short");
    }
    if (continues(nCut) && !(nCut == 31 && continues(28) && continues(29) && continues(30))) {
        fail(std::string(szWhat) + " was cut inside a character");
    }
}

// Every answer of a loaded pack stays within what the program can use:
// counts and groups that make photo names below the panel's pictures.
inline void checkAnswers(const ImageDLLInterface& pack) {
    const int nGroups = pack.getNumImageGroups();
    if (pack.isBound(PackExport::getNumImageGroups) && (nGroups < 0 || nGroups > kMaxImageGroups)) {
        fail("group count " + std::to_string(nGroups));
    }
    for (int nGroup = 0; nGroup <= kMaxImageGroups + 1; ++nGroup) {
        const int nImages = pack.getNumImagesForGroup(nGroup);
        if (pack.isBound(PackExport::getNumImagesForGroup) &&
            (nImages < 0 || nImages > kMaxImagesPerGroup)) {
            fail("image count " + std::to_string(nImages));
        }
        for (int nImage = 0; nImage <= 2; ++nImage) {
            int offsets[2] = {0, 0};
            pack.getBoxLocationForImage(nGroup, nImage, offsets);
            if (offsets[0] < -kMaxBoxOffset || offsets[0] > kMaxBoxOffset ||
                offsets[1] < -kMaxBoxOffset || offsets[1] > kMaxBoxOffset) {
                fail("box offset");
            }
            pack.getBorderColorForImage(nGroup, nImage);
            pack.getColorForWeatherText(nGroup, nImage);
            pack.getColorForLocationText(nGroup, nImage);
            pack.getColorForTemperatureText(nGroup, nImage);
        }
        checkText(pack.getDisplayNameForGroup(nGroup),
                  pack.exports().groupNames().lookup(nGroup, 0, std::string()), "group name");
    }
    for (int nCode = -2; nCode <= 50; ++nCode) {
        const int nGroup = pack.getGroupForSkyCode(nCode);
        if (nGroup != -1 && (nGroup < 1 || nGroup > kMaxImageGroups)) {
            fail("sky code group " + std::to_string(nGroup));
        }
    }
    if (photoIdentifier(kMaxImageGroups, kMaxImagesPerGroup) >= 5000) {
        fail("photo names reach the panel's pictures");
    }
    checkText(pack.getDLLDisplayName(), pack.exports().displayName(), "display name");
    const std::string csIcons = pack.getIconPath();
    if (csIcons != kInvalidIconPath) {
        checkText(csIcons, pack.exports().iconPath(), "icon path");
        // The program reads "<icon path>NN.png" below the install folder.
        if (!isSafeIconPath(csIcons + "00.png")) {
            fail("icon path leaves the install folder");
        }
    }
    pack.supportsWxTriggered();
}

} // namespace fuzzing
