#pragma once

#include "imaging/ThumbnailScaler.h"

#include <string>
#include <vector>

class ImageDLLInterface;

// What the favourite picker lists for a pack, one entry per image that has
// a usable thumbnail, in pack order (group by group, image by image). The
// four sequences always have the same length: index i of each describes
// list item i.
struct FavoriteItems {
    std::vector<PixelBuffer> thumbnails; // kThumbnailWidth x kThumbnailHeight each
    std::vector<std::string> captions;   // "<group name> - <image>"
    std::vector<bool> selected;          // already a favourite
    std::vector<std::string> keys;       // "gg,ii"

    std::size_t size() const { return keys.size(); }
};

// The key of group g, image i in a favourites list: "%02d,%02d".
std::string favoriteKey(int nGroup, int nImage);

// The caption of an image: the group's display name, " - " and the image
// number; a pack without group names gets "Group <g> - <i>".
std::string favoriteCaption(const std::string& csGroupName, int nGroup, int nImage);

// Reads every thumbnail of the loaded pack and makes the picker's entries.
// An image whose thumbnail is missing or does not decode is left out (and,
// when logging is on, logged); one that is the wrong shape is still listed,
// scaled with its proportions kept. A pack that is not loaded gives none.
FavoriteItems readFavoriteItems(const ImageDLLInterface& pack, const std::string& csFavorites);
