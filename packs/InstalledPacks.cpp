#include "packs/InstalledPacks.h"

#include "platform/Folders.h"

#include <set>

std::vector<InstalledPack> installedPacks(const std::vector<std::string>& folders) {
    std::vector<InstalledPack> packs;
    std::set<std::string> seen;
    for (std::string folder : folders) {
        if (folder.empty()) {
            continue;
        }
        if (folder.back() != '/') {
            folder += '/';
        }
        for (std::string& fileName : platform::findFiles(folder, "*.wxs")) {
            if (seen.insert(fileName).second) {
                packs.push_back({folder, std::move(fileName)});
            }
        }
    }
    return packs;
}
