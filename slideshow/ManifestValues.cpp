#include "slideshow/ManifestValues.h"

#include "slideshow/PackManifest.h"
#include "slideshow/ResourceNames.h"

#include <array>
#include <charconv>
#include <cstdio>

bool parseManifestInt(std::string_view text, int& nValue) {
    if (text.empty()) {
        return false;
    }
    const char* pFirst = text.data();
    if (*pFirst == '+') {
        ++pFirst;
    }
    const char* pLast = text.data() + text.size();
    const auto [pEnd, error] = std::from_chars(pFirst, pLast, nValue);
    return error == std::errc() && pEnd == pLast && pFirst != pLast;
}

bool parseManifestBool(std::string_view text, bool& bValue) {
    if (text == "true" || text == "yes" || text == "1") {
        bValue = true;
        return true;
    }
    if (text == "false" || text == "no" || text == "0") {
        bValue = false;
        return true;
    }
    return false;
}

bool parseManifestColour(std::string_view text, COLORREF& colour) {
    if (text.size() != 7 || text[0] != '#') {
        return false;
    }
    unsigned nRgb = 0;
    const auto [pEnd, error] = std::from_chars(text.data() + 1, text.data() + 7, nRgb, 16);
    if (error != std::errc() || pEnd != text.data() + 7) {
        return false;
    }
    colour = makeColorref(static_cast<std::uint8_t>(nRgb >> 16),
                          static_cast<std::uint8_t>(nRgb >> 8), static_cast<std::uint8_t>(nRgb));
    return true;
}

namespace {

constexpr std::array<const char*, 5> kCornerNames = {"none", "upper-left", "upper-right",
                                                     "lower-left", "lower-right"};

std::string_view nextWord(std::string_view& text) {
    text = trimBlanks(text);
    const auto nEnd = text.find_first_of(" \t");
    const std::string_view word = text.substr(0, nEnd);
    text.remove_prefix(nEnd == std::string_view::npos ? text.size() : nEnd);
    return word;
}

bool parseKeyNumber(std::string_view text, int nMax, int& nValue) {
    return parseManifestInt(text, nValue) && nValue >= 1 && nValue <= nMax && text[0] != '+';
}

bool parseOffset(std::string_view text, int& nValue) {
    return parseManifestInt(text, nValue) && nValue >= -kMaxBoxOffset && nValue <= kMaxBoxOffset;
}

} // namespace

bool parseManifestBox(std::string_view text, BoxPlacement& box) {
    const std::string_view corner = nextWord(text);
    bool bNamed = false;
    for (std::size_t i = 0; i < kCornerNames.size(); ++i) {
        if (corner == kCornerNames[i]) {
            box.nLocation = static_cast<int>(i);
            bNamed = true;
        }
    }
    if (!bNamed && !parseManifestInt(corner, box.nLocation)) {
        return false;
    }
    return parseOffset(nextWord(text), box.nOffsetX) && parseOffset(nextWord(text), box.nOffsetY) &&
           trimBlanks(text).empty();
}

bool parseManifestKey(std::string_view text, bool bImagesAllowed, ManifestKey& key) {
    key = ManifestKey{};
    if (text == "default") {
        key.bDefault = true;
        return true;
    }
    const auto nDot = text.find('.');
    if (nDot == std::string_view::npos) {
        return parseKeyNumber(text, kMaxImageGroups, key.nGroup);
    }
    return bImagesAllowed && parseKeyNumber(text.substr(0, nDot), kMaxImageGroups, key.nGroup) &&
           parseKeyNumber(text.substr(nDot + 1), kMaxImagesPerGroup, key.nImage);
}

std::string colourToManifest(COLORREF colour) {
    char szText[8];
    std::snprintf(szText, sizeof szText, "#%02X%02X%02X", colorrefRed(colour),
                  colorrefGreen(colour), colorrefBlue(colour));
    return szText;
}

const char* boxLocationName(int nLocation) {
    return nLocation >= 1 && nLocation <= 4 ? kCornerNames[static_cast<std::size_t>(nLocation)]
                                            : "none";
}

std::string boxToManifest(const BoxPlacement& box) {
    const std::string csCorner = box.nLocation >= 0 && box.nLocation <= 4
                                     ? boxLocationName(box.nLocation)
                                     : std::to_string(box.nLocation);
    return csCorner + " " + std::to_string(box.nOffsetX) + " " + std::to_string(box.nOffsetY);
}
