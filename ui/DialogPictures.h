#pragma once

#include <wx/bitmap.h>
#include <wx/iconbndl.h>

// The program's pictures as the toolkit takes them.

// A bitmap resource drawn at width x height logical pixels, for a window
// whose pixels are dScale device pixels each: sharp at any display scale.
wxBitmap dialogBitmap(int bitmapId, int nWidth, int nHeight, double dScale);

// The program's icon (155) at every size it is built in.
wxIconBundle programIcons();
