#pragma once

#include "imaging/DrawingSurface.h"

#include <string>

// The surface as the bytes of a PNG file (cairo's encoder); empty when the
// surface is not valid.
std::string encodePng(const DrawingSurface& surface);
