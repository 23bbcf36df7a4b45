#pragma once

#include "imaging/DrawingSurface.h"

#include <cstdint>
#include <map>
#include <string>

namespace fixtures {

// A surface of one colour (0xRRGGBB).
DrawingSurface solidSurface(int nWidth, int nHeight, std::uint32_t rgb);
// Four quadrants: red, green, blue, white (left to right, top to bottom).
DrawingSurface quadrantSurface(int nWidth, int nHeight);
std::string jpegOf(const DrawingSurface& surface, int nQuality = 95);

// A manifest answering all thirteen operations for two groups of two
// images, at the given pack version.
std::string completeManifest(int nVersion);
// The same without the sections named (comma-separated).
std::string manifestWithout(int nVersion, const std::string& csSections);

// Writes a pack with manifest.ini and the JPEG resources given by
// identifier; extra entries go in as they are.
void writePack(const std::string& csPath, const std::string& csManifest,
               const std::map<int, std::string>& jpegs = {},
               const std::map<std::string, std::string>& extraEntries = {});

std::string pngOf(const DrawingSurface& surface);

// A version-5 pack that passes every check (completeManifest(5)), its PNG
// icons inside the archive under icons/test-icons/, its photos filled with
// rgb. extraEntries are added or replace entries.
void writeValidPack(const std::string& csPath, std::uint32_t rgb = 0x336699,
                    const std::map<std::string, std::string>& extraEntries = {});

} // namespace fixtures
