#pragma once

#include "imaging/PngDecoder.h"
#include "slideshow/PackResources.h"

#include <string>

// Folder inside a pack archive that holds a version-5 pack's PNG condition
// icons. Below it they have the names they would have beside the pack: the
// icon path followed by "NN.png" or "na.png", so a pack carries its icons
// with it and nothing has to be unpacked.
inline constexpr const char* kPackIconsFolder = "icons/";

// The folder of a pack file, ending in '/'; empty for a bare name.
std::string packFolderOf(const std::string& csPackPath);

// A version-5 pack's PNG icon named csName (its icon path and file name):
// from the pack's archive when the archive holds icons/<csName>, else from
// the file csName in the pack's own folder. Decoded within limits either
// way. csSource says where it was looked for, for messages.
PngDecodeResult loadPackPngIcon(PackModule hModule, const std::string& csName,
                                const ImageDecodeLimits& limits, std::string& csSource);
