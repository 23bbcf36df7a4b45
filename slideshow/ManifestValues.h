#pragma once

#include "imaging/Colorref.h"

#include <string>
#include <string_view>

// Readers for the value syntax of manifest.ini. Each answers false for text
// that is not exactly one value of its kind.

// Decimal, optional sign, 32-bit signed range.
bool parseManifestInt(std::string_view text, int& nValue);
// true/false, yes/no, 1/0.
bool parseManifestBool(std::string_view text, bool& bValue);
// "#RRGGBB", stored as 0x00BBGGRR.
bool parseManifestColour(std::string_view text, COLORREF& colour);
// "<corner> <x offset> <y offset>", the corner a name (upper-left,
// upper-right, lower-left, lower-right, none) or a number, the offsets at
// most kMaxBoxOffset pixels either way.
inline constexpr int kMaxBoxOffset = 8192; // the largest photo's side
struct BoxPlacement {
    int nLocation = 0;
    int nOffsetX = 0;
    int nOffsetY = 0;
};
bool parseManifestBox(std::string_view text, BoxPlacement& box);

// Keys of per-group and per-image sections: "default", "<g>" or "<g>.<i>".
// Groups run from 1 to 49 and images from 1 to 99, the numbers the resource
// names hold; image 0 stands for the whole group.
struct ManifestKey {
    bool bDefault = false;
    int nGroup = 0;
    int nImage = 0;
};
bool parseManifestKey(std::string_view text, bool bImagesAllowed, ManifestKey& key);

std::string colourToManifest(COLORREF colour);
std::string boxToManifest(const BoxPlacement& box);
const char* boxLocationName(int nLocation);
