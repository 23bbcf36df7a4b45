#include "imaging/DrawingSurface.h"

#include <algorithm>
#include <cstring>
#include <utility>

DrawingSurface::DrawingSurface(cairo_surface_t* pSurface) : m_pSurface(pSurface) {
    if (m_pSurface != nullptr && cairo_surface_status(m_pSurface) != CAIRO_STATUS_SUCCESS) {
        reset();
    }
}

DrawingSurface::~DrawingSurface() {
    reset();
}

DrawingSurface::DrawingSurface(DrawingSurface&& other) noexcept
    : m_pSurface(std::exchange(other.m_pSurface, nullptr)) {}

DrawingSurface& DrawingSurface::operator=(DrawingSurface&& other) noexcept {
    if (this != &other) {
        reset();
        m_pSurface = std::exchange(other.m_pSurface, nullptr);
    }
    return *this;
}

void DrawingSurface::reset() {
    if (m_pSurface != nullptr) {
        cairo_surface_destroy(m_pSurface);
        m_pSurface = nullptr;
    }
}

DrawingSurface DrawingSurface::create(int nWidth, int nHeight, cairo_format_t format) {
    if (nWidth <= 0 || nHeight <= 0) {
        return DrawingSurface();
    }
    return DrawingSurface(cairo_image_surface_create(format, nWidth, nHeight));
}

DrawingSurface DrawingSurface::clone() const {
    if (!isValid()) {
        return DrawingSurface();
    }
    DrawingSurface copy = create(width(), height(), format());
    copy.copyPixelsFrom(*this);
    return copy;
}

bool DrawingSurface::copyPixelsFrom(const DrawingSurface& source) {
    if (!isValid() || !source.isValid() || source.width() != width() ||
        source.height() != height()) {
        return false;
    }
    source.flush();
    const auto nBytes = static_cast<std::size_t>(width()) * sizeof(std::uint32_t);
    for (int y = 0; y < height(); ++y) {
        std::memcpy(row(y), source.row(y), nBytes);
    }
    markDirty();
    return true;
}

int DrawingSurface::width() const {
    return isValid() ? cairo_image_surface_get_width(m_pSurface) : 0;
}

int DrawingSurface::height() const {
    return isValid() ? cairo_image_surface_get_height(m_pSurface) : 0;
}

cairo_format_t DrawingSurface::format() const {
    return isValid() ? cairo_image_surface_get_format(m_pSurface) : CAIRO_FORMAT_INVALID;
}

std::uint32_t* DrawingSurface::row(int y) {
    unsigned char* pData = cairo_image_surface_get_data(m_pSurface);
    const int nStride = cairo_image_surface_get_stride(m_pSurface);
    return reinterpret_cast<std::uint32_t*>(pData + static_cast<std::ptrdiff_t>(y) * nStride);
}

const std::uint32_t* DrawingSurface::row(int y) const {
    return const_cast<DrawingSurface*>(this)->row(y);
}

void DrawingSurface::flush() const {
    if (isValid()) {
        cairo_surface_flush(m_pSurface);
    }
}

void DrawingSurface::markDirty() {
    if (isValid()) {
        cairo_surface_mark_dirty(m_pSurface);
    }
}

void DrawingSurface::fill(std::uint32_t rgb) {
    fillRect(Rect{0, 0, width(), height()}, rgb);
}

void DrawingSurface::fillRect(const Rect& rect, std::uint32_t rgb) {
    const Rect part{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width()),
                    std::min(rect.bottom, height())};
    if (!isValid() || part.isEmpty()) {
        return;
    }
    flush();
    const std::uint32_t pixel = 0xFF000000u | (rgb & 0xFFFFFFu);
    for (int y = part.top; y < part.bottom; ++y) {
        std::fill_n(row(y) + part.left, part.width(), pixel);
    }
    markDirty();
}
