#include "app/DrawingWindowSettings.h"

#include "app/SettingsKeys.h"
#include "app/SettingsStore.h"
#include "platform/Folders.h"

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
    std::string folder = InstallFolder();
    if (folder.empty()) {
        return;
    }
    if (folder.back() != '/') {
        folder += '/';
    }
    std::string fileName = settings::get(settings::kCurrentImagePackFileName);
    if (fileName.empty()) {
        const std::vector<std::string> packs = platform::findFiles(folder, "*.wxs");
        if (packs.empty()) {
            return;
        }
        fileName = packs.front();
        settings::set(settings::kCurrentImagePackFileName, fileName);
    }
    // A name that points at a missing file is passed on: the window's pack
    // loading reports it.
    settings.imagePackFile = folder + fileName;
    settings.favorites =
        SettingsStore::GetString(settings::kMainSubsection, fileName, settings::kFavouritesDefault);
}
