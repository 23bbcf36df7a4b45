#pragma once

#include "slideshow/PackArchive.h"

#include <cstdint>
#include <string>

// The handle by which other parts name a loaded pack (see
// ImageDLLInterface::getModuleHandle); null when no pack is loaded.
using PackModule = const PackArchive*;

// One resource found in a pack: which module, which entry, how big.
struct PackResource {
    PackModule hModule = nullptr;
    std::string csEntry;
    std::uint64_t nSize = 0;

    explicit operator bool() const { return hModule != nullptr; }
};

// Largest resource read into memory.
inline constexpr std::uint64_t kMaxResourceSize = 32ull * 1024 * 1024;

// The entry that holds resource csName ("#" and a decimal identifier from 1
// to 65535) of csType ("JPEG"); empty when the name or type is not one.
std::string resourceEntryName(const std::string& csName, const std::string& csType);

// An empty result when the module is null or has no such resource.
PackResource findResource(PackModule hModule, const std::string& csName, const std::string& csType);
std::uint64_t sizeofResource(PackModule hModule, const PackResource& resource);
// Reads the resource's bytes; false (with csError) when it cannot be read.
bool loadResource(PackModule hModule, const PackResource& resource, std::string& data,
                  std::string& csError);
