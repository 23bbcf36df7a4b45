#include "imaging/CxImage.h"

#include <algorithm>
#include <cstring>
#include <vector>

CxImage::~CxImage() = default;

bool CxImage::fail(const std::string& csError) {
    m_csLastError = csError.substr(0, kMaxErrorLength);
    return false;
}

void CxImage::clear() {
    m_surface = DrawingSurface();
    m_decoder = JpegDecoder();
    m_data.clear();
    m_window = Rect{};
}

bool CxImage::LoadResource(const PackResource& hResource, int nFormat, PackModule hModule,
                           CxImageDecoding decoding) {
    clear();
    std::string data;
    std::string csReadError;
    if (hModule == nullptr || !hResource || !loadResource(hModule, hResource, data, csReadError)) {
        return fail("Unable to load resource!");
    }
    return Decode(std::move(data), nFormat, decoding);
}

bool CxImage::Decode(const std::uint8_t* pData, std::size_t nSize, int nFormat) {
    clear();
    if (nFormat != CXIMAGE_FORMAT_JPG) {
        return fail("Decode: Unknown or wrong format");
    }
    JpegDecodeResult result = decodeJpeg(pData, nSize);
    if (!result.ok()) {
        return fail(result.csError);
    }
    m_surface = std::move(result.surface);
    m_csLastError.clear();
    return true;
}

bool CxImage::Decode(std::string data, int nFormat, CxImageDecoding decoding) {
    if (decoding == CXIMAGE_DECODE_NOW) {
        return Decode(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), nFormat);
    }
    clear();
    if (nFormat != CXIMAGE_FORMAT_JPG) {
        return fail("Decode: Unknown or wrong format");
    }
    m_data = std::move(data);
    if (!m_decoder.open(reinterpret_cast<const std::uint8_t*>(m_data.data()), m_data.size())) {
        fail(m_decoder.error());
        clear();
        return false;
    }
    m_window = Rect{0, 0, m_decoder.width(), m_decoder.height()};
    m_csLastError.clear();
    return true;
}

int CxImage::GetWidth() const {
    return m_decoder.isOpen() ? m_window.width() : m_surface.width();
}

int CxImage::GetHeight() const {
    return m_decoder.isOpen() ? m_window.height() : m_surface.height();
}

bool CxImage::Crop(int nLeft, int nTop, int nRight, int nBottom) {
    if (!IsValid()) {
        return fail("Crop: no picture");
    }
    const int nX0 = std::clamp(nLeft, 0, GetWidth());
    const int nY0 = std::clamp(nTop, 0, GetHeight());
    const int nX1 = std::clamp(nRight, 0, GetWidth());
    const int nY1 = std::clamp(nBottom, 0, GetHeight());
    if (nX1 <= nX0 || nY1 <= nY0) {
        return fail("Crop: empty rectangle");
    }
    if (m_decoder.isOpen()) {
        m_window =
            Rect{m_window.left + nX0, m_window.top + nY0, m_window.left + nX1, m_window.top + nY1};
        return true;
    }
    DrawingSurface cropped = DrawingSurface::create(nX1 - nX0, nY1 - nY0, m_surface.format());
    if (!cropped.isValid()) {
        return fail("Crop: not enough memory");
    }
    m_surface.flush();
    const auto nBytes = static_cast<std::size_t>(nX1 - nX0) * sizeof(std::uint32_t);
    for (int y = nY0; y < nY1; ++y) {
        std::memcpy(cropped.row(y - nY0), m_surface.row(y) + nX0, nBytes);
    }
    cropped.markDirty();
    m_surface = std::move(cropped);
    return true;
}

bool CxImage::Draw(DrawingSurface* pTarget, int x, int y, int cx, int cy) {
    if (!IsValid() || pTarget == nullptr || !pTarget->isValid() || !m_bEnabled) {
        return false;
    }
    const int nWidth = cx < 0 ? GetWidth() : cx;
    const int nHeight = cy < 0 ? GetHeight() : cy;
    if (nWidth == 0 || nHeight == 0) {
        return false;
    }
    if (m_decoder.isOpen()) {
        if (!m_decoder.decode(m_window, *pTarget, Rect{x, y, x + nWidth, y + nHeight})) {
            return fail(m_decoder.error());
        }
        return true;
    }
    return drawDecoded(*pTarget, x, y, nWidth, nHeight);
}

bool CxImage::drawDecoded(DrawingSurface& target, int x, int y, int nWidth, int nHeight) const {
    // The part of the destination rectangle that lies on the target.
    const std::int64_t nLeft = std::max<std::int64_t>(x, 0);
    const std::int64_t nTop = std::max<std::int64_t>(y, 0);
    const std::int64_t nRight = std::min<std::int64_t>(std::int64_t{x} + nWidth, target.width());
    const std::int64_t nBottom = std::min<std::int64_t>(std::int64_t{y} + nHeight, target.height());
    if (nRight <= nLeft || nBottom <= nTop) {
        return true;
    }
    m_surface.flush();
    target.flush();
    const auto nCount = static_cast<std::size_t>(nRight - nLeft);
    if (nWidth == GetWidth() && nHeight == GetHeight()) {
        for (std::int64_t dy = nTop; dy < nBottom; ++dy) {
            std::memcpy(target.row(static_cast<int>(dy)) + nLeft,
                        m_surface.row(static_cast<int>(dy - y)) + (nLeft - x),
                        nCount * sizeof(std::uint32_t));
        }
        target.markDirty();
        return true;
    }
    // Source column of each destination column: nearest neighbour.
    std::vector<int> sourceColumns(nCount);
    for (std::int64_t dx = nLeft; dx < nRight; ++dx) {
        sourceColumns[static_cast<std::size_t>(dx - nLeft)] =
            static_cast<int>((dx - x) * GetWidth() / nWidth);
    }
    for (std::int64_t dy = nTop; dy < nBottom; ++dy) {
        const auto nSourceRow = static_cast<int>((dy - y) * GetHeight() / nHeight);
        const std::uint32_t* pSource = m_surface.row(nSourceRow);
        std::uint32_t* pDest = target.row(static_cast<int>(dy)) + nLeft;
        for (std::size_t i = 0; i < nCount; ++i) {
            pDest[i] = pSource[sourceColumns[i]] | 0xFF000000u;
        }
    }
    target.markDirty();
    return true;
}

DrawingSurface CxImage::MakeBitmap() {
    if (!m_decoder.isOpen()) {
        return m_surface.clone();
    }
    DrawingSurface bitmap = DrawingSurface::create(GetWidth(), GetHeight());
    if (!bitmap.isValid() ||
        !m_decoder.decode(m_window, bitmap, Rect{0, 0, GetWidth(), GetHeight()})) {
        return DrawingSurface();
    }
    return bitmap;
}
