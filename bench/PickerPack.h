#pragma once

#include <string>

// Writes a pack of 49 groups of 10 images for timing the favourite picker:
// small photos, and thumbnails of nWidth x nHeight that look like photos
// (gradients with grain, so they compress as photos do). False with a
// message on failure.
bool writePickerPack(const std::string& csPath, int nWidth, int nHeight, std::string& csError);
