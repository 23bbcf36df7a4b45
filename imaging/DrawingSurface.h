#pragma once

#include "imaging/Rect.h"

#include <cairo.h>
#include <cstdint>

// Owner of one cairo image surface: the in-memory bitmap that pictures are
// decoded into and frames are composed on. Pixels are 32-bit words in native
// byte order, 0xAARRGGBB (CAIRO_FORMAT_RGB24 ignores the top byte; ARGB32
// holds premultiplied alpha there). Move-only; an empty owner is not valid.
class DrawingSurface {
public:
    DrawingSurface() = default;
    // Takes over a reference the caller holds; a surface in an error state
    // is released at once and leaves the owner empty.
    explicit DrawingSurface(cairo_surface_t* pSurface);
    ~DrawingSurface();
    DrawingSurface(DrawingSurface&& other) noexcept;
    DrawingSurface& operator=(DrawingSurface&& other) noexcept;
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    // An empty owner when the size is not positive or memory runs out.
    static DrawingSurface create(int nWidth, int nHeight,
                                 cairo_format_t format = CAIRO_FORMAT_RGB24);
    // A deep copy of the pixels in the same format.
    DrawingSurface clone() const;
    // Copies every pixel of a source of the same size into this surface;
    // false, and nothing copied, when either is invalid or the sizes differ.
    bool copyPixelsFrom(const DrawingSurface& source);

    bool isValid() const { return m_pSurface != nullptr; }
    int width() const;
    int height() const;
    cairo_format_t format() const;
    cairo_surface_t* get() const { return m_pSurface; }

    // Direct pixel access. Call flush() before touching pixels that cairo
    // may have drawn, and markDirty() after writing them.
    std::uint32_t* row(int y);
    const std::uint32_t* row(int y) const;
    void flush() const;
    void markDirty();

    // Paints the whole surface, or the part of rect on it, in one opaque
    // colour (0xRRGGBB).
    void fill(std::uint32_t rgb);
    void fillRect(const Rect& rect, std::uint32_t rgb);

private:
    void reset();

    cairo_surface_t* m_pSurface = nullptr;
};
