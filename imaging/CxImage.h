#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/JpegDecoder.h"
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

// When a loaded picture's pixels are decoded.
enum CxImageDecoding {
    // At once, all of them: the image holds its pixels, and a damaged file
    // fails the load.
    CXIMAGE_DECODE_NOW = 0,
    // Header first: the load reads the header alone (size known, budget
    // checked) and keeps the file; Crop() only narrows the part to decode,
    // and Draw() decodes that part straight into its target, DCT-scaled when
    // drawn smaller. A damaged file then fails the Draw instead of the load.
    // For pictures drawn once: a photo onto the frame, thumbnails.
    CXIMAGE_DECODE_WHEN_DRAWN = 1,
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
    bool LoadResource(const PackResource& hResource, int nFormat, PackModule hModule,
                      CxImageDecoding decoding = CXIMAGE_DECODE_NOW);
    // Decodes a complete file held in memory, at once. Only JPEG is decoded.
    bool Decode(const std::uint8_t* pData, std::size_t nSize, int nFormat);
    // The same for a file the image takes over, decoded as asked.
    bool Decode(std::string data, int nFormat, CxImageDecoding decoding);

    // True when there is a picture: decoded pixels, or a header read for a
    // picture decoded when drawn.
    bool IsValid() const { return m_surface.isValid() || m_decoder.isOpen(); }
    int GetWidth() const;
    int GetHeight() const;
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
    // to draw (no pixels, no target, a zero size or a disabled image) or,
    // for a picture decoded when drawn, when its data fails to decode.
    bool Draw(DrawingSurface* pTarget, int x = 0, int y = 0, int cx = -1, int cy = -1);

    // A copy of the pixels that the caller owns; empty when not valid.
    DrawingSurface MakeBitmap();
    // The decoded pixels; empty for a picture decoded when drawn.
    const DrawingSurface& surface() const { return m_surface; }

private:
    bool fail(const std::string& csError);
    void clear();
    bool drawDecoded(DrawingSurface& target, int x, int y, int nWidth, int nHeight) const;

    DrawingSurface m_surface;
    // A picture decoded when drawn: its file, its header and the part kept.
    std::string m_data;
    JpegDecoder m_decoder;
    Rect m_window;
    bool m_bEnabled = true;
    std::string m_csLastError;
};
