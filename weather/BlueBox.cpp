#include "weather/BlueBox.h"

#include "slideshow/ImageDLLInterface.h"

#include <algorithm>
#include <cstdint>

namespace {

// A pack may give any 32-bit offset. Coordinates are worked out wide and
// held within a range no frame comes near, so that neither this sum nor
// the panel layout's further sums can overflow.
constexpr std::int64_t kCoordinateLimit = 1 << 24;

int coordinate(std::int64_t value) {
    return static_cast<int>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

} // namespace

BlueBoxPlacement placeBlueBox(int nBoxLocation, int nOffsetX, int nOffsetY, int nWidth, int nHeight,
                              const Rect& rectImageLocation) {
    const Rect& image = rectImageLocation;
    BlueBoxPlacement placement;
    std::int64_t x = 0;
    std::int64_t y = 0;
    switch (nBoxLocation) {
    case BOXLOCATION_UPPER_LEFT:
        x = std::int64_t{image.left} + nOffsetX;
        y = std::int64_t{image.top} + nOffsetY;
        break;
    case BOXLOCATION_UPPER_RIGHT:
        x = std::int64_t{image.right} - nOffsetX - nWidth;
        y = std::int64_t{image.top} + nOffsetY;
        break;
    case BOXLOCATION_LOWER_LEFT:
        x = std::int64_t{image.left} + nOffsetX;
        y = std::int64_t{image.bottom} - nOffsetY - nHeight;
        break;
    case BOXLOCATION_LOWER_RIGHT:
        x = std::int64_t{image.right} - nOffsetX - nWidth;
        y = std::int64_t{image.bottom} - nOffsetY - nHeight;
        break;
    default:
        placement.rect = Rect{0, 0, nWidth, nHeight};
        return placement;
    }
    placement.bOkToShowWeather = true;
    placement.rect =
        Rect{coordinate(x), coordinate(y), coordinate(x + nWidth), coordinate(y + nHeight)};
    placement.nDrawWidth = -1;
    placement.nDrawHeight = -1;
    return placement;
}

std::string boxLocationTraceName(int nBoxLocation) {
    switch (nBoxLocation) {
    case BOXLOCATION_UPPER_LEFT:
        return "BOXLOCATION_UPPER_LEFT";
    case BOXLOCATION_UPPER_RIGHT:
        return "BOXLOCATION_UPPER_RIGHT";
    case BOXLOCATION_LOWER_LEFT:
        return "BOXLOCATION_LOWER_LEFT";
    case BOXLOCATION_LOWER_RIGHT:
        return "BOXLOCATION_LOWER_RIGHT";
    default:
        return "BOXLOCATION_NO_BOX (or is defaulting to BOXLOCATION_NO_BOX)";
    }
}

std::string rectTraceText(const char* szName, const Rect& rect) {
    return std::string(szName) + " values: .left = " + std::to_string(rect.left) +
           ", .top = " + std::to_string(rect.top) + ", .right = " + std::to_string(rect.right) +
           ", .bottom = " + std::to_string(rect.bottom);
}
