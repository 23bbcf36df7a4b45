#include "slideshow/ShowSettings.h"

#include "slideshow/CDrawWnd.h"

void applyShowSettings(CDrawWnd& drawWnd, const DrawingWindowSettings& settings) {
    drawWnd.setLocation(settings.displayName, settings.locID);
    drawWnd.setDisplayMethod(settings.displayImageMethod, settings.displayShowAllMethod);
    drawWnd.setClearScreen(settings.clearScreen);
    drawWnd.setBlendImages(settings.blendImages);
    drawWnd.setImagePackFile(settings.imagePackFile);
    drawWnd.setFavorites(settings.favorites);
}
