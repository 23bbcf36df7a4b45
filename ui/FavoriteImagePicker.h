#pragma once

#include "ui/SaverDialogParts.h"

// What the settings dialog's "..." button runs: reads the current pack's
// thumbnails while the preview pauses and the wait cursor shows, then lets
// the user pick favourites in CSelectImageDlg.
class FavoriteImagePicker : public FavoritePicker {
public:
    std::optional<std::string> pickFavorites(const FavoritePickerRequest& request) override;
};
