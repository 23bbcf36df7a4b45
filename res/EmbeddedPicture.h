#pragma once

#include <cstddef>
#include <span>

namespace res {

// A picture file built into the program: a PNG of size x size pixels.
struct EmbeddedPicture {
    int size = 0;
    const unsigned char* data = nullptr;
    std::size_t length = 0;
};

// The program's icon (155), made at build time from
// res/icons/nimbora-screensaver.svg at several sizes, smallest first.
std::span<const EmbeddedPicture> programIconPictures();

} // namespace res
