#include "weather/PanelIcon.h"

#include "slideshow/ResourceNames.h"

#include <algorithm>
#include <cstdint>

std::string jpegIconName(int nSkyCode, int nLastCode) {
    if (nSkyCode < 0 || nSkyCode > nLastCode) {
        return kNotAvailableIconName;
    }
    return iconResourceName(nSkyCode);
}

std::string pngIconPath(const std::string& csInstallFolder, const std::string& csIconPath,
                        int nSkyCode) {
    return csInstallFolder + csIconPath + iconFileName(nSkyCode);
}

Rect placeIcon(const Rect& area, int nIconWidth, int nIconHeight) {
    if (area.isEmpty() || nIconWidth <= 0 || nIconHeight <= 0) {
        return {};
    }
    std::int64_t nWidth = nIconWidth;
    std::int64_t nHeight = nIconHeight;
    if (nWidth > area.width() || nHeight > area.height()) {
        // The smaller of the two ratios, in integers: width / height kept.
        if (nWidth * area.height() >= nHeight * area.width()) {
            nHeight = std::max<std::int64_t>(1, nHeight * area.width() / nWidth);
            nWidth = area.width();
        } else {
            nWidth = std::max<std::int64_t>(1, nWidth * area.height() / nHeight);
            nHeight = area.height();
        }
    }
    const int x = area.left + static_cast<int>((area.width() - nWidth) / 2);
    const int y = area.top + static_cast<int>((area.height() - nHeight) / 2);
    return {x, y, x + static_cast<int>(nWidth), y + static_cast<int>(nHeight)};
}

void drawIcon(Compositor& compositor, const DrawingSurface& icon, const Rect& area) {
    const Rect place = placeIcon(area, icon.width(), icon.height());
    if (place.isEmpty()) {
        return;
    }
    if (place.width() == icon.width() && place.height() == icon.height()) {
        compositor.copy(icon, place.left, place.top);
    } else {
        compositor.scaleSmooth(icon, place.left, place.top, place.width(), place.height());
    }
}
