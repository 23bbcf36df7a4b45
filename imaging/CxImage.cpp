#include "imaging/CxImage.h"

#include "imaging/JpegDecoder.h"

#include <algorithm>
#include <cstring>
#include <vector>

CxImage::~CxImage() = default;

bool CxImage::fail(const std::string& csError) {
    m_csLastError = csError.substr(0, kMaxErrorLength);
    return false;
}

bool CxImage::LoadResource(const PackResource& hResource, int nFormat, PackModule hModule) {
    m_surface = DrawingSurface();
    std::string data;
    std::string csReadError;
    if (hModule == nullptr || !hResource || !loadResource(hModule, hResource, data, csReadError)) {
        return fail("Unable to load resource!");
    }
    return Decode(reinterpret_cast<const std::uint8_t*>(data.data()), data.size(), nFormat);
}

bool CxImage::Decode(const std::uint8_t* pData, std::size_t nSize, int nFormat) {
    m_surface = DrawingSurface();
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

bool CxImage::Draw(DrawingSurface* pTarget, int x, int y, int cx, int cy) const {
    if (!IsValid() || pTarget == nullptr || !pTarget->isValid() || !m_bEnabled) {
        return false;
    }
    const std::int64_t nWidth = cx < 0 ? GetWidth() : cx;
    const std::int64_t nHeight = cy < 0 ? GetHeight() : cy;
    if (nWidth == 0 || nHeight == 0) {
        return false;
    }
    // The part of the destination rectangle that lies on the target.
    const std::int64_t nLeft = std::max<std::int64_t>(x, 0);
    const std::int64_t nTop = std::max<std::int64_t>(y, 0);
    const std::int64_t nRight = std::min<std::int64_t>(x + nWidth, pTarget->width());
    const std::int64_t nBottom = std::min<std::int64_t>(y + nHeight, pTarget->height());
    if (nRight <= nLeft || nBottom <= nTop) {
        return true;
    }
    // Source column of each destination column: nearest neighbour.
    std::vector<int> sourceColumns(static_cast<std::size_t>(nRight - nLeft));
    for (std::int64_t dx = nLeft; dx < nRight; ++dx) {
        sourceColumns[static_cast<std::size_t>(dx - nLeft)] =
            static_cast<int>((dx - x) * GetWidth() / nWidth);
    }
    m_surface.flush();
    pTarget->flush();
    for (std::int64_t dy = nTop; dy < nBottom; ++dy) {
        const auto nSourceRow = static_cast<int>((dy - y) * GetHeight() / nHeight);
        const std::uint32_t* pSource = m_surface.row(nSourceRow);
        std::uint32_t* pDest = pTarget->row(static_cast<int>(dy)) + nLeft;
        for (std::size_t i = 0; i < sourceColumns.size(); ++i) {
            pDest[i] = pSource[sourceColumns[i]] | 0xFF000000u;
        }
    }
    pTarget->markDirty();
    return true;
}
