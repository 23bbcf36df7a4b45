#pragma once

#include "imaging/DrawingSurface.h"
#include "slideshow/PackResources.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Format numbers of the decoding step.
enum {
    CXIMAGE_FORMAT_UNKNOWN = 0,
    CXIMAGE_FORMAT_GIF = 1,
    CXIMAGE_FORMAT_JPG = 2,
    CXIMAGE_FORMAT_PNG = 3,
};

// A decoded picture: the pixels of a pack's JPEG resource, held in the same
// surface format the frames are composed in, so drawing is a plain copy.
// Every failure is a false result with GetLastError() set.
class CxImage {
public:
    static constexpr std::size_t kMaxErrorLength = 255;

    CxImage() = default;
    virtual ~CxImage();
    CxImage(const CxImage&) = delete;
    CxImage& operator=(const CxImage&) = delete;

    // Reads the resource from the pack and decodes it as nFormat.
    bool LoadResource(const PackResource& hResource, int nFormat, PackModule hModule);
    // Decodes a complete file held in memory. Only JPEG is decoded.
    bool Decode(const std::uint8_t* pData, std::size_t nSize, int nFormat);

    bool IsValid() const { return m_surface.isValid(); }
    int GetWidth() const { return m_surface.width(); }
    int GetHeight() const { return m_surface.height(); }
    int GetBpp() const { return IsValid() ? 24 : 0; }
    // JPEG pictures never have a transparent colour.
    int GetTransIndex() const { return -1; }
    const std::string& GetLastError() const { return m_csLastError; }
    bool IsEnabled() const { return m_bEnabled; }
    void Enable(bool bEnable = true) { m_bEnabled = bEnable; }

    // Keeps only the rectangle (right and bottom exclusive) clamped to the
    // picture; false, and the picture unchanged, when nothing is left.
    bool Crop(int nLeft, int nTop, int nRight, int nBottom);

    // Draws the whole picture into the target's rectangle at (x, y), cx by
    // cy pixels (below 0: the picture's own width or height), stretched
    // nearest-neighbour when the size differs. False when there is nothing
    // to draw: no pixels, no target, a zero size or a disabled image.
    bool Draw(DrawingSurface* pTarget, int x = 0, int y = 0, int cx = -1, int cy = -1) const;

    // A copy of the pixels that the caller owns; empty when not valid.
    DrawingSurface MakeBitmap() const { return m_surface.clone(); }
    const DrawingSurface& surface() const { return m_surface; }

private:
    bool fail(const std::string& csError);

    DrawingSurface m_surface;
    bool m_bEnabled = true;
    std::string m_csLastError;
};
