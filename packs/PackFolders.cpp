#include "packs/PackFolders.h"

#include "app/SettingsStore.h"
#include "platform/Folders.h"

#include <algorithm>

std::vector<std::string> packFolders() {
    std::vector<std::string> folders;
    if (const std::string csInstall = InstallFolder(); !csInstall.empty()) {
        folders.push_back(csInstall);
    }
    if (const std::string csUser = userPackFolder(); !csUser.empty()) {
        folders.push_back(csUser);
    }
    return folders;
}

std::string userPackFolder() {
    const std::string csUser = UserDataFolder();
    return csUser.empty() ? std::string() : csUser + "packs/";
}

bool isPlainFileName(const std::string& csFileName) {
    return !csFileName.empty() && csFileName != "." && csFileName != ".." &&
           std::none_of(csFileName.begin(), csFileName.end(), [](char c) {
               return c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
           });
}

bool isPackInstalled(const std::string& csFileName, const std::vector<std::string>& folders) {
    if (!isPlainFileName(csFileName)) {
        return false;
    }
    return std::any_of(folders.begin(), folders.end(), [&](const std::string& csFolder) {
        return platform::fileExists(csFolder + csFileName);
    });
}

std::string findPackFile(const std::string& csFileName) {
    if (!isPlainFileName(csFileName)) {
        return {};
    }
    const std::vector<std::string> folders = packFolders();
    // The later folder is the user's, whose copy wins.
    for (auto it = folders.rbegin(); it != folders.rend(); ++it) {
        if (platform::fileExists(*it + csFileName)) {
            return *it + csFileName;
        }
    }
    return {};
}

std::vector<PackFile> listPackFiles() {
    std::vector<PackFile> packs;
    for (const std::string& csFolder : packFolders()) {
        for (const std::string& csName : platform::findFiles(csFolder, "*.wxs")) {
            const auto found = std::find_if(packs.begin(), packs.end(), [&](const PackFile& pack) {
                return pack.csFileName == csName;
            });
            if (found == packs.end()) {
                packs.push_back({csName, csFolder + csName});
            } else {
                found->csPath = csFolder + csName;
            }
        }
    }
    return packs;
}
