#pragma once

#include <string>

// Names of the pictures in a pack, as resource names "#<identifier>".

// The scheme keeps photos (101 to 4999) apart from the panel's pictures
// (5000 to 5099) only up to these numbers; packs may not go beyond them.
inline constexpr int kMaxImageGroups = 49;
inline constexpr int kMaxImagesPerGroup = 99;

// Full-screen photo of group g, image i: identifier 100 g + i.
std::string photoResourceName(int nGroup, int nImage);
// Its 120 x 90 thumbnail: identifier 10000 + 100 g + i.
std::string thumbnailResourceName(int nGroup, int nImage);
// Condition icon for a sky code from 0 to 48: identifier 5000 + code.
std::string iconResourceName(int nSkyCode);

// File name of a version-5 pack's PNG condition icon, below its icon path:
// "00.png" to "47.png" by sky code, "na.png" for every other code.
inline std::string iconFileName(int nSkyCode) {
    if (nSkyCode < 0 || nSkyCode > 47) {
        return "na.png";
    }
    return std::string{static_cast<char>('0' + nSkyCode / 10),
                       static_cast<char>('0' + nSkyCode % 10)} +
           ".png";
}

inline constexpr const char* kPanelResourceName = "#5099";
inline constexpr const char* kNotAvailableIconName = "#5098";
inline constexpr const char* kJpegResourceType = "JPEG";
