#pragma once

#include "slideshow/PackValidation.h"

#include <iosfwd>
#include <string>

// What "wxs-pack info" prints: every operation's answer, group by group,
// and the resources the archive holds. False when the pack does not load.
bool printPackInfo(const std::string& csPackPath, std::ostream& out);

// What "wxs-pack validate" checks is the library's validatePack.

// What "wxs-pack build" does: a pack from a folder holding manifest.ini,
// JPEG/<identifier>.jpg files and, for version 5, the PNG icons under
// icons/. False with the reason printed to err.
bool buildPack(const std::string& csFolder, const std::string& csPackPath, std::ostream& err);
