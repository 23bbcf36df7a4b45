#pragma once

#include "imaging/DrawingSurface.h"
#include "tools/samplegen/SamplePacks.h"

#include <string>

// The promotional picture of an offered pack: one of its photos with its
// name and what it holds, laid out for the promotional dialog's client area
// (its picture is drawn from the top left corner and clipped, so the texts
// stay inside the smallest area and the photo runs on past it).
DrawingSurface paintPromotion(const PackDesign& design);

// Writes a surface as an uncompressed 24-bit Windows bitmap file, the kind
// of picture the catalogue names.
bool writeBitmapFile(const DrawingSurface& picture, const std::string& csPath,
                     std::string& csError);
