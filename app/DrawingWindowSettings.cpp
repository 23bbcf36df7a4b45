#include "app/DrawingWindowSettings.h"

#include "app/SettingsStore.h"
#include "platform/Folders.h"

#include <vector>

DrawingWindowSettings readShowSettings() {
    DrawingWindowSettings settings;
    settings.displayName = SettingsStore::GetString("", "displayName", "");
    settings.locID = SettingsStore::GetString("", "locID", "");
    settings.displayImageMethod = SettingsStore::GetInt("", "displayImageMethod", 1);
    settings.displayShowAllMethod = SettingsStore::GetInt("", "displayShowAllMethod", 1);
    settings.clearScreen = SettingsStore::GetBool("clearScreen", 0);
    settings.blendImages = SettingsStore::GetBool("blendImages", 1);
    return settings;
}

void chooseImagePack(DrawingWindowSettings& settings) {
    settings.imagePackFile.clear();
    settings.favorites.clear();
    std::string folder = InstallFolder();
    if (folder.empty()) {
        return;
    }
    if (folder.back() != '/') {
        folder += '/';
    }
    std::string fileName = SettingsStore::GetString("", "CurrentImagePackFileName", "");
    if (fileName.empty()) {
        const std::vector<std::string> packs = platform::findFiles(folder, "*.wxs");
        if (packs.empty()) {
            return;
        }
        fileName = packs.front();
        SettingsStore::SetString("", "CurrentImagePackFileName", fileName);
    }
    // A name that points at a missing file is passed on: the window's pack
    // loading reports it.
    settings.imagePackFile = folder + fileName;
    settings.favorites = SettingsStore::GetString("", fileName, "");
}
