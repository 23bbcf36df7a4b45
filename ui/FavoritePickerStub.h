#pragma once

#include "ui/SaverDialogParts.h"

// Stands in for the favourite picker until it is built: says so, and
// leaves the favourites as they are.
class FavoritePickerStub : public FavoritePicker {
public:
    static constexpr const char* kText =
        "Choosing favourite images is not part of this build yet. The favourites you "
        "chose before are kept.";

    std::optional<std::string> pickFavorites(const FavoritePickerRequest& request) override;
};
