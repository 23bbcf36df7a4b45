#pragma once

#include <iosfwd>
#include <string>

// What "wxs-pack info" prints: every operation's answer, group by group,
// and the resources the archive holds. False when the pack does not load.
bool printPackInfo(const std::string& csPackPath, std::ostream& out);

// What "wxs-pack validate" checks. Prints one line per problem ("error:" or
// "warning:") and answers the number of errors. Icon files of version-5
// packs are looked for under csInstallFolder (the pack's own folder when
// empty).
int validatePack(const std::string& csPackPath, const std::string& csInstallFolder,
                 std::ostream& out);

// What "wxs-pack build" does: a pack from a folder holding manifest.ini and
// JPEG/<identifier>.jpg files. False with the reason printed to err.
bool buildPack(const std::string& csFolder, const std::string& csPackPath, std::ostream& err);
