#pragma once

#include "app/DrawingWindowSettings.h"

class CDrawWnd;

// Hands a drawing window everything it is given before it is created, in
// the order of the start-up: the location, the display method, the options,
// the image pack and that pack's favourites.
void applyShowSettings(CDrawWnd& drawWnd, const DrawingWindowSettings& settings);
