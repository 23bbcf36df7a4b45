#include "imaging/PngEncoder.h"

std::string encodePng(const DrawingSurface& surface) {
    std::string data;
    if (!surface.isValid()) {
        return data;
    }
    cairo_surface_write_to_png_stream(
        surface.get(),
        [](void* pClosure, const unsigned char* pData, unsigned int nLength) {
            static_cast<std::string*>(pClosure)->append(reinterpret_cast<const char*>(pData),
                                                        nLength);
            return CAIRO_STATUS_SUCCESS;
        },
        &data);
    return data;
}
