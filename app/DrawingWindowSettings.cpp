#include "app/DrawingWindowSettings.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "packs/PackFolders.h"

#include <vector>

DrawingWindowSettings readShowSettings() {
    DrawingWindowSettings settings;
    settings.displayName = settings::get(settings::kDisplayName);
    settings.locID = settings::get(settings::kLocID);
    settings.displayImageMethod = settings::get(settings::kDisplayImageMethod);
    settings.displayShowAllMethod = settings::get(settings::kDisplayShowAllMethod);
    settings.clearScreen = settings::get(settings::kClearScreen);
    settings.blendImages = settings::get(settings::kBlendImages);
    return settings;
}

void chooseImagePack(DrawingWindowSettings& settings) {
    settings.imagePackFile.clear();
    settings.favorites.clear();
    const std::vector<std::string> folders = packFolders();
    if (folders.empty()) {
        return;
    }
    std::string fileName = settings::get(settings::kCurrentImagePackFileName);
    if (fileName.empty()) {
        const std::vector<PackFile> packs = listPackFiles();
        if (packs.empty()) {
            return;
        }
        fileName = packs.front().csFileName;
        settings::set(settings::kCurrentImagePackFileName, fileName);
    }
    // The user's own copy wins. A name that points at a missing file is
    // passed on: the window's pack loading reports it.
    settings.imagePackFile = findPackFile(fileName);
    if (settings.imagePackFile.empty()) {
        settings.imagePackFile = folders.front() + fileName;
    }
    settings.favorites =
        SettingsStore::GetString(settings::kMainSubsection, fileName, settings::kFavouritesDefault);
}
