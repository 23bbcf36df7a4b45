#include "slideshow/PackResources.h"

#include <charconv>

std::string resourceEntryName(const std::string& csName, const std::string& csType) {
    if (csType != "JPEG" || csName.size() < 2 || csName.size() > 6 || csName[0] != '#') {
        return {};
    }
    unsigned nIdentifier = 0;
    const char* pFirst = csName.data() + 1;
    const char* pLast = csName.data() + csName.size();
    const auto [pEnd, error] = std::from_chars(pFirst, pLast, nIdentifier);
    if (error != std::errc() || pEnd != pLast || *pFirst == '0' || nIdentifier > 65535) {
        return {};
    }
    return csType + "/" + std::to_string(nIdentifier) + ".jpg";
}

PackResource findResource(PackModule hModule, const std::string& csName,
                          const std::string& csType) {
    if (hModule == nullptr) {
        return {};
    }
    std::string csEntry = resourceEntryName(csName, csType);
    const PackArchive::Entry* pEntry = csEntry.empty() ? nullptr : hModule->find(csEntry);
    if (pEntry == nullptr) {
        return {};
    }
    return PackResource{hModule, std::move(csEntry), pEntry->nSize};
}

std::uint64_t sizeofResource(PackModule hModule, const PackResource& resource) {
    return hModule != nullptr && resource.hModule == hModule ? resource.nSize : 0;
}

bool loadResource(PackModule hModule, const PackResource& resource, std::string& data,
                  std::string& csError) {
    if (hModule == nullptr || resource.hModule != hModule) {
        csError = "the resource does not belong to this pack";
        return false;
    }
    return hModule->read(resource.csEntry, kMaxResourceSize, data, csError);
}
