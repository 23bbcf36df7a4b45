#include "ui/FavoritePickerStub.h"

#include "platform/MessageBox.h"
#include "res/StringTable.h"

std::optional<std::string> FavoritePickerStub::pickFavorites(const FavoritePickerRequest&) {
    platform::showMessageBox(res::kApplicationTitle, kText, platform::MessageBoxIcon::Information);
    return std::nullopt;
}
