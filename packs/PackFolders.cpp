#include "packs/PackFolders.h"

#include "app/SettingsStore.h"
#include "platform/Folders.h"

std::vector<std::string> packFolders() {
    std::vector<std::string> folders;
    if (const std::string csInstall = InstallFolder(); !csInstall.empty()) {
        folders.push_back(csInstall);
    }
    if (const std::string csUser = UserDataFolder(); !csUser.empty()) {
        folders.push_back(csUser + "packs/");
    }
    return folders;
}

bool isPackInstalled(const std::string& csFileName, const std::vector<std::string>& folders) {
    if (csFileName.empty() || csFileName == "." || csFileName == ".." ||
        csFileName.find_first_of(std::string("/\\\0", 3)) != std::string::npos) {
        return false;
    }
    for (const std::string& csFolder : folders) {
        if (platform::fileExists(csFolder + csFileName)) {
            return true;
        }
    }
    return false;
}
