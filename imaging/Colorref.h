#pragma once

#include <cstdint>

// A colour as packs and the frame composition exchange it: 0x00BBGGRR.
using COLORREF = std::uint32_t;

constexpr COLORREF makeColorref(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return static_cast<COLORREF>(red) | (static_cast<COLORREF>(green) << 8) |
           (static_cast<COLORREF>(blue) << 16);
}
constexpr std::uint8_t colorrefRed(COLORREF colour) {
    return colour & 0xFF;
}
constexpr std::uint8_t colorrefGreen(COLORREF colour) {
    return (colour >> 8) & 0xFF;
}
constexpr std::uint8_t colorrefBlue(COLORREF colour) {
    return (colour >> 16) & 0xFF;
}

// The same colour as a surface pixel (0xAARRGGBB in native byte order), opaque.
constexpr std::uint32_t colorrefToPixel(COLORREF colour) {
    return 0xFF000000u | (static_cast<std::uint32_t>(colorrefRed(colour)) << 16) |
           (static_cast<std::uint32_t>(colorrefGreen(colour)) << 8) | colorrefBlue(colour);
}
