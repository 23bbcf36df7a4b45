#include "slideshow/FramePool.h"

#include <algorithm>

void FramePool::setSurfaceMaker(SurfaceMaker makeSurface) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_makeSurface = std::move(makeSurface);
    m_surfaces.clear();
}

DrawingSurface FramePool::take(int nWidth, int nHeight) {
    DrawingSurface surface;
    SurfaceMaker makeSurface;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::erase_if(m_surfaces, [&](const DrawingSurface& kept) {
            return kept.width() != nWidth || kept.height() != nHeight;
        });
        if (!m_surfaces.empty()) {
            surface = std::move(m_surfaces.back());
            m_surfaces.pop_back();
            return surface;
        }
        makeSurface = m_makeSurface;
    }
    if (makeSurface) {
        surface = makeSurface(nWidth, nHeight);
    }
    return surface.isValid() ? std::move(surface) : DrawingSurface::create(nWidth, nHeight);
}

void FramePool::give(DrawingSurface surface) {
    if (!surface.isValid() || surface.format() != CAIRO_FORMAT_RGB24) {
        return;
    }
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_surfaces.size() < kMaxKept) {
        m_surfaces.push_back(std::move(surface));
    }
}

std::size_t FramePool::kept() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_surfaces.size();
}
