#pragma once

#include <iosfwd>
#include <string>

// Where a version-5 pack's PNG icons may be. The pack's own archive
// (icons/ and the icon path) always counts; csIconFolder (the pack's own
// folder when empty) counts unless bIconsInArchiveOnly is set, as for a pack
// that arrives on its own.
struct PackValidationOptions {
    std::string csIconFolder;
    bool bIconsInArchiveOnly = false;
};

// Checks a pack the way the program will read it: the archive and manifest
// limits of the loader, every operation, every photo, thumbnail and icon
// decoding within the decoders' bounds. Prints one line per problem
// ("error:" or "warning:") and answers the number of errors; a pack with
// none shows as its maker meant.
int validatePack(const std::string& csPackPath, const PackValidationOptions& options,
                 std::ostream& out);
// The same with the icon files looked for under csIconFolder.
int validatePack(const std::string& csPackPath, const std::string& csIconFolder, std::ostream& out);
