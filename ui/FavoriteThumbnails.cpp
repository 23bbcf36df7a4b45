#include "ui/FavoriteThumbnails.h"

#include "app/Trace.h"
#include "imaging/CxImage.h"
#include "imaging/JpegPartPlan.h"
#include "slideshow/ImageDLLInterface.h"
#include "slideshow/ResourceNames.h"

#include <cstdio>

namespace {

constexpr const char* kTracePrefix = "CSaverDlg::OnButtonSelectFavoriteImages() - ";

void trace(const std::string& csMessage) {
    if (isLogging()) {
        logMessage(kTracePrefix + csMessage);
    }
}

// The size to decode a thumbnail at: the picture at the decoder's largest
// reduction that still covers the list's size, so the decoder only scales
// by its DCT and the area scaling after it is exact over far fewer pixels.
Size decodeSize(int nWidth, int nHeight) {
    const Rect picture{0, 0, nWidth, nHeight};
    const Rect scaled =
        scaledJpegPart(picture, coveringJpegScale(picture, kThumbnailWidth, kThumbnailHeight));
    return Size{scaled.width(), scaled.height()};
}

PixelBuffer pixelsOf(const DrawingSurface& surface) {
    PixelBuffer pixels{surface.width(), surface.height(), {}};
    pixels.pixels.reserve(static_cast<std::size_t>(pixels.width) *
                          static_cast<std::size_t>(pixels.height));
    surface.flush();
    for (int y = 0; y < pixels.height; ++y) {
        const std::uint32_t* pRow = surface.row(y);
        for (int x = 0; x < pixels.width; ++x) {
            pixels.pixels.push_back(pRow[x] & 0xFFFFFFu);
        }
    }
    return pixels;
}

// The thumbnail of one image, or nullopt after logging why there is none.
std::optional<PixelBuffer> readThumbnail(const ImageDLLInterface& pack, CxImage& currentImage,
                                         const std::string& csName) {
    const PackResource resource = findResource(pack.getModuleHandle(), csName, kJpegResourceType);
    if (!resource) {
        trace("FindResource() failed, imagedll->getModuleHandle() = " +
              std::to_string(reinterpret_cast<std::uintptr_t>(pack.getModuleHandle())) +
              ", imageIdentifier = " + csName);
        return std::nullopt;
    }
    if (!currentImage.LoadResource(resource, CXIMAGE_FORMAT_JPG, pack.getModuleHandle(),
                                   CXIMAGE_DECODE_WHEN_DRAWN)) {
        trace("currentImage->LoadResource() failed to load, imageIdentifier = " + csName);
        return std::nullopt;
    }
    if (!currentImage.IsValid()) {
        trace("currentImage->IsValid() returned FALSE - " + currentImage.GetLastError());
        return std::nullopt;
    }
    // The header is read; the pixels are decoded here, so damaged data
    // fails now, as a failed load.
    const Size size = decodeSize(currentImage.GetWidth(), currentImage.GetHeight());
    DrawingSurface bitmap = DrawingSurface::create(size.cx, size.cy);
    if (!bitmap.isValid()) {
        trace("currentImage->IsValid() returned FALSE - out of memory for the thumbnail");
        return std::nullopt;
    }
    if (!currentImage.Draw(&bitmap, 0, 0, size.cx, size.cy)) {
        trace("currentImage->LoadResource() failed to load, imageIdentifier = " + csName);
        return std::nullopt;
    }
    std::optional<PixelBuffer> thumbnail = makeThumbnail(pixelsOf(bitmap));
    if (!thumbnail) {
        trace("the thumbnail could not be scaled, imageIdentifier = " + csName);
    }
    return thumbnail;
}

} // namespace

std::string favoriteKey(int nGroup, int nImage) {
    char szKey[32];
    std::snprintf(szKey, sizeof szKey, "%02d,%02d", nGroup, nImage);
    return szKey;
}

std::string favoriteCaption(const std::string& csGroupName, int nGroup, int nImage) {
    const std::string csGroup =
        csGroupName.empty() ? "Group " + std::to_string(nGroup) : csGroupName;
    return csGroup + " - " + std::to_string(nImage);
}

FavoriteItems readFavoriteItems(const ImageDLLInterface& pack, const std::string& csFavorites) {
    FavoriteItems items;
    const int nGroups = pack.getNumImageGroups();
    CxImage currentImage;
    for (int g = 1; g <= nGroups; ++g) {
        const int nImages = pack.getNumImagesForGroup(g);
        for (int i = 1; i <= nImages; ++i) {
            std::optional<PixelBuffer> thumbnail =
                readThumbnail(pack, currentImage, thumbnailResourceName(g, i));
            if (!thumbnail) {
                continue;
            }
            const std::string csKey = favoriteKey(g, i);
            items.thumbnails.push_back(std::move(*thumbnail));
            items.captions.push_back(favoriteCaption(pack.getDisplayNameForGroup(g), g, i));
            // Keys are fixed-width and ";"-separated: only whole entries match.
            items.selected.push_back(csFavorites.find(csKey) != std::string::npos);
            items.keys.push_back(csKey);
        }
    }
    return items;
}
