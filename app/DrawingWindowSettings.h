#pragma once

#include <string>

// Everything a drawing window (preview or full screen) is given before it
// is created, in the order the window applies it: setLocation,
// setDisplayMethod, setClearScreen, setBlendImages, setImagePackFile,
// setFavorites.
struct DrawingWindowSettings {
    std::string displayName;
    std::string locID;
    int displayImageMethod = 1;
    int displayShowAllMethod = 1;
    bool clearScreen = false;
    bool blendImages = true;
    // Full path of the image pack, or empty for no pack.
    std::string imagePackFile;
    // That pack's favourites list ("gg,ii;gg,ii;..."), possibly empty.
    std::string favorites;
};

// The show settings from the store, with the image pack still unchosen.
DrawingWindowSettings readShowSettings();

// Picks the image pack: the stored CurrentImagePackFileName in the pack
// folders (the user's own copy winning) or, when none is stored, the first
// *.wxs found there, which is then stored. Leaves the pack and favourites
// empty when there is none.
void chooseImagePack(DrawingWindowSettings& settings);
