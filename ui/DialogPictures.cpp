#include "ui/DialogPictures.h"

#include "res/Bitmaps.h"
#include "res/EmbeddedPicture.h"

#include <cmath>
#include <cstdint>
#include <wx/image.h>
#include <wx/imagpng.h>

namespace {

// Premultiplied 0xAARRGGBB pixels into the toolkit's separate colour and
// alpha planes.
wxImage toImage(const DrawingSurface& surface) {
    const int nWidth = surface.width();
    const int nHeight = surface.height();
    wxImage image(nWidth, nHeight, false);
    image.InitAlpha();
    unsigned char* pRgb = image.GetData();
    unsigned char* pAlpha = image.GetAlpha();
    for (int y = 0; y < nHeight; ++y) {
        const std::uint32_t* pRow = surface.row(y);
        for (int x = 0; x < nWidth; ++x) {
            const std::uint32_t pixel = pRow[x];
            const unsigned alpha = pixel >> 24;
            const auto unpremultiplied = [alpha](unsigned channel) {
                return static_cast<unsigned char>(alpha == 0 ? 0
                                                             : (channel * 255 + alpha / 2) / alpha);
            };
            *pRgb++ = unpremultiplied((pixel >> 16) & 0xFF);
            *pRgb++ = unpremultiplied((pixel >> 8) & 0xFF);
            *pRgb++ = unpremultiplied(pixel & 0xFF);
            *pAlpha++ = static_cast<unsigned char>(alpha);
        }
    }
    return image;
}

} // namespace

wxBitmap dialogBitmap(int bitmapId, int nWidth, int nHeight, double dScale) {
    const int nDeviceWidth = static_cast<int>(std::lround(nWidth * dScale));
    const int nDeviceHeight = static_cast<int>(std::lround(nHeight * dScale));
    const DrawingSurface surface = res::renderBitmap(bitmapId, nDeviceWidth, nDeviceHeight);
    if (!surface.isValid()) {
        return wxNullBitmap;
    }
    return wxBitmap(toImage(surface), -1, dScale);
}

wxIconBundle programIcons() {
    if (wxImage::FindHandler(wxBITMAP_TYPE_PNG) == nullptr) {
        wxImage::AddHandler(new wxPNGHandler);
    }
    wxIconBundle icons;
    for (const res::EmbeddedPicture& picture : res::programIconPictures()) {
        const wxBitmap bitmap = wxBitmap::NewFromPNGData(picture.data, picture.length);
        if (bitmap.IsOk()) {
            wxIcon icon;
            icon.CopyFromBitmap(bitmap);
            icons.AddIcon(icon);
        }
    }
    return icons;
}
