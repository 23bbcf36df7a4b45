#pragma once

#include "imaging/DrawingSurface.h"

#include <string>

// Encodes a surface as a baseline JPEG file (4:2:0, optimised Huffman
// tables) into jpegData. Same input, same bytes. False with a message on
// failure.
bool encodeJpeg(const DrawingSurface& surface, int nQuality, std::string& jpegData,
                std::string& csError);
