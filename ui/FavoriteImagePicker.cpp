#include "ui/FavoriteImagePicker.h"

#include "res/ResourceIds.h"
#include "slideshow/ImageDLLInterface.h"
#include "ui/CSelectImageDlg.h"
#include "ui/FavoriteThumbnails.h"

#include <wx/bitmap.h>
#include <wx/imaglist.h>

namespace {

wxBitmap bitmapOf(const PixelBuffer& thumbnail) {
    wxImage image(thumbnail.width, thumbnail.height, false);
    unsigned char* pRgb = image.GetData();
    for (const std::uint32_t pixel : thumbnail.pixels) {
        *pRgb++ = static_cast<unsigned char>(pixel >> 16);
        *pRgb++ = static_cast<unsigned char>(pixel >> 8);
        *pRgb++ = static_cast<unsigned char>(pixel);
    }
    return wxBitmap(image, 24);
}

std::unique_ptr<wxImageList> imageListOf(const std::vector<PixelBuffer>& thumbnails) {
    auto pImageList = std::make_unique<wxImageList>(kThumbnailWidth, kThumbnailHeight, false,
                                                    static_cast<int>(thumbnails.size()));
    for (const PixelBuffer& thumbnail : thumbnails) {
        pImageList->Add(bitmapOf(thumbnail));
    }
    return pImageList;
}

} // namespace

std::optional<std::string>
FavoriteImagePicker::pickFavorites(const FavoritePickerRequest& request) {
    CSelectImageDlg picker;
    if (request.pausePreview) {
        request.pausePreview(true);
    }
    if (request.setBusy) {
        request.setBusy(true);
    }
    {
        const ImageDLLInterface pack(request.packPath);
        FavoriteItems items = readFavoriteItems(pack, request.favorites);
        picker.setImageList(imageListOf(items.thumbnails));
        picker.setItems(std::move(items.captions), std::move(items.selected),
                        std::move(items.keys));
    }
    // The toolkit's wait cursor covers every window, the picker too: the
    // wait ends once the thumbnails are there. The preview stays paused
    // while the picker is open.
    if (request.setBusy) {
        request.setBusy(false);
    }
    const bool bChosen = picker.DoModal() == res::IDOK;
    if (request.pausePreview) {
        request.pausePreview(false);
    }
    if (!bChosen) {
        return std::nullopt;
    }
    return picker.getResult();
}
