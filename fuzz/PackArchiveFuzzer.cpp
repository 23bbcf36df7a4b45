// Loads arbitrary bytes as a pack file, asks every operation and reads every
// picture the pack names, as the show and the settings dialog do.
#include "PackChecks.h"
#include "slideshow/PackResources.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string csPath = fuzzing::scratchFolder() + "pack.wxs";
    fuzzing::writeFile(csPath, std::string_view(reinterpret_cast<const char*>(data), size));
    const ImageDLLInterface pack(csPath);
    if (!pack.isLoaded()) {
        if (pack.getNumImageGroups() != -1 || pack.getDLLVersionNumber() != -1) {
            fuzzing::fail("a pack that is not loaded answers");
        }
        return 0;
    }
    fuzzing::checkAnswers(pack);
    for (const auto& [csEntry, entry] : pack.getModuleHandle()->entries()) {
        if (csEntry.rfind("JPEG/", 0) != 0) {
            continue;
        }
        const std::string csName = "#" + csEntry.substr(5, csEntry.find('.') - 5);
        const PackResource resource = findResource(pack.getModuleHandle(), csName, "JPEG");
        std::string bytes;
        std::string csError;
        if (resource && loadResource(pack.getModuleHandle(), resource, bytes, csError) &&
            bytes.size() != sizeofResource(pack.getModuleHandle(), resource)) {
            fuzzing::fail("a resource read differs from its size");
        }
    }
    return 0;
}
