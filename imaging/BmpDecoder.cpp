#include "imaging/BmpDecoder.h"

#include <algorithm>
#include <array>
#include <bit>
#include <vector>

namespace {

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitFields = 3;
constexpr std::uint32_t kBiAlphaBitFields = 6;
constexpr std::size_t kFileHeaderSize = 14;

BmpDecodeResult failure(std::string csError) {
    BmpDecodeResult result;
    result.csError = "BMP: " + std::move(csError);
    return result;
}

class Reader {
public:
    Reader(const std::uint8_t* pData, std::size_t nSize) : m_pData(pData), m_nSize(nSize) {}
    bool has(std::size_t nOffset, std::size_t nCount) const {
        return nOffset <= m_nSize && nCount <= m_nSize - nOffset;
    }
    std::uint32_t u16(std::size_t nOffset) const {
        return static_cast<std::uint32_t>(m_pData[nOffset] | m_pData[nOffset + 1] << 8);
    }
    std::uint32_t u32(std::size_t nOffset) const { return u16(nOffset) | u16(nOffset + 2) << 16; }
    const std::uint8_t* at(std::size_t nOffset) const { return m_pData + nOffset; }

private:
    const std::uint8_t* m_pData;
    std::size_t m_nSize;
};

// One channel taken out of a pixel by its mask and widened to 8 bits.
struct Channel {
    std::uint32_t nMask = 0;
    int nShift = 0;
    int nBits = 0;

    explicit Channel(std::uint32_t mask = 0) : nMask(mask) {
        if (mask != 0) {
            nShift = std::countr_zero(mask);
            nBits = std::popcount(mask);
        }
    }
    bool contiguous() const {
        return nMask == 0 || nBits == 32 || (nMask >> nShift) == (1u << nBits) - 1;
    }
    std::uint32_t value(std::uint32_t pixel) const {
        if (nBits == 0) {
            return 0;
        }
        const std::uint32_t v = (pixel & nMask) >> nShift;
        if (nBits >= 8) {
            return v >> (nBits - 8);
        }
        const std::uint32_t nMax = (1u << nBits) - 1;
        return (v * 255 + nMax / 2) / nMax;
    }
};

struct Header {
    std::int64_t nWidth = 0;
    std::int64_t nHeight = 0; // negative: rows top-down
    std::uint32_t nBitCount = 0;
    std::uint32_t nCompression = kBiRgb;
    std::uint32_t nColours = 0;
    std::size_t nPaletteOffset = 0;
    std::size_t nPaletteEntrySize = 4;
    std::array<Channel, 3> masks;
};

bool readHeader(const Reader& in, Header& header, std::string& csError) {
    const std::uint32_t nHeaderSize = in.u32(kFileHeaderSize);
    if (!in.has(kFileHeaderSize, nHeaderSize)) {
        csError = "the header is cut off";
        return false;
    }
    const std::size_t at = kFileHeaderSize + 4;
    if (nHeaderSize == 12) {
        header.nWidth = in.u16(at);
        header.nHeight = in.u16(at + 2);
        header.nBitCount = in.u16(at + 6);
        header.nPaletteEntrySize = 3;
    } else if (nHeaderSize >= 40 && nHeaderSize <= 124) {
        header.nWidth = static_cast<std::int32_t>(in.u32(at));
        header.nHeight = static_cast<std::int32_t>(in.u32(at + 4));
        header.nBitCount = in.u16(at + 10);
        header.nCompression = in.u32(at + 12);
        header.nColours = in.u32(at + 28);
    } else {
        csError = "unknown header size " + std::to_string(nHeaderSize);
        return false;
    }
    header.nPaletteOffset = kFileHeaderSize + nHeaderSize;
    if (header.nCompression == kBiBitFields || header.nCompression == kBiAlphaBitFields) {
        // Masks follow the info header, or are part of the later versions.
        const std::size_t nMasks = nHeaderSize >= 52 ? kFileHeaderSize + 40 : header.nPaletteOffset;
        if (!in.has(nMasks, 12)) {
            csError = "the bit masks are cut off";
            return false;
        }
        header.masks = {Channel(in.u32(nMasks)), Channel(in.u32(nMasks + 4)),
                        Channel(in.u32(nMasks + 8))};
        if (nHeaderSize == 40) {
            header.nPaletteOffset += header.nCompression == kBiAlphaBitFields ? 16 : 12;
        }
    }
    return true;
}

bool checkFormat(Header& header, std::string& csError) {
    const std::uint32_t n = header.nBitCount;
    if (header.nCompression == kBiRgb) {
        if (n != 1 && n != 4 && n != 8 && n != 16 && n != 24 && n != 32) {
            csError = std::to_string(n) + " bits per pixel are not read";
            return false;
        }
        if (n == 16) {
            header.masks = {Channel(0x7C00), Channel(0x03E0), Channel(0x001F)};
        } else if (n == 32) {
            header.masks = {Channel(0xFF0000), Channel(0xFF00), Channel(0xFF)};
        }
        return true;
    }
    if ((header.nCompression == kBiBitFields || header.nCompression == kBiAlphaBitFields) &&
        (n == 16 || n == 32)) {
        for (const Channel& channel : header.masks) {
            if (!channel.contiguous()) {
                csError = "a colour mask is not one run of bits";
                return false;
            }
        }
        return true;
    }
    csError = "compression " + std::to_string(header.nCompression) + " is not read";
    return false;
}

// The colour table; a table shorter than the depth allows (often one that
// ends where the pixels begin) leaves the rest black.
std::vector<std::uint32_t> readPalette(const Reader& in, const Header& header,
                                       std::size_t nPixelOffset, std::string& csError) {
    const std::uint32_t nMaxColours = 1u << header.nBitCount;
    std::uint32_t nColours =
        header.nColours == 0 || header.nColours > nMaxColours ? nMaxColours : header.nColours;
    if (nPixelOffset > header.nPaletteOffset) {
        nColours = std::min<std::uint32_t>(
            nColours, static_cast<std::uint32_t>((nPixelOffset - header.nPaletteOffset) /
                                                 header.nPaletteEntrySize));
    }
    if (nColours == 0 || !in.has(header.nPaletteOffset, nColours * header.nPaletteEntrySize)) {
        csError = "the colour table is cut off";
        return {};
    }
    std::vector<std::uint32_t> palette(nMaxColours, 0);
    for (std::uint32_t i = 0; i < nColours; ++i) {
        const std::uint8_t* p = in.at(header.nPaletteOffset + i * header.nPaletteEntrySize);
        palette[i] = static_cast<std::uint32_t>(p[2]) << 16 | p[1] << 8 | p[0];
    }
    return palette;
}

std::uint32_t pixelAt(const std::uint8_t* pRow, int x, const Header& header,
                      const std::vector<std::uint32_t>& palette) {
    switch (header.nBitCount) {
    case 1:
    case 4:
    case 8: {
        const int nPerByte = 8 / static_cast<int>(header.nBitCount);
        const std::uint8_t byte = pRow[x / nPerByte];
        const int nShift = 8 - static_cast<int>(header.nBitCount) * (x % nPerByte + 1);
        return palette[(byte >> nShift) & ((1u << header.nBitCount) - 1)];
    }
    case 24:
        return static_cast<std::uint32_t>(pRow[3 * x + 2]) << 16 | pRow[3 * x + 1] << 8 |
               pRow[3 * x];
    default: {
        const std::size_t nBytes = header.nBitCount / 8;
        std::uint32_t raw = 0;
        for (std::size_t i = 0; i < nBytes; ++i) {
            raw |= static_cast<std::uint32_t>(pRow[nBytes * static_cast<std::size_t>(x) + i])
                   << (8 * i);
        }
        return header.masks[0].value(raw) << 16 | header.masks[1].value(raw) << 8 |
               header.masks[2].value(raw);
    }
    }
}

} // namespace

BmpDecodeResult decodeBmp(const std::uint8_t* pData, std::size_t nSize,
                          const ImageDecodeLimits& limits) {
    if (pData == nullptr || nSize == 0) {
        return failure("no data");
    }
    if (nSize > limits.nMaxFileBytes) {
        return failure("file too large (" + std::to_string(nSize) + " bytes; at most " +
                       std::to_string(limits.nMaxFileBytes) + " are read)");
    }
    const Reader in(pData, nSize);
    if (!in.has(0, kFileHeaderSize + 4) || pData[0] != 'B' || pData[1] != 'M') {
        return failure("not a bitmap file");
    }
    Header header;
    std::string csError;
    if (!readHeader(in, header, csError) || !checkFormat(header, csError)) {
        return failure(csError);
    }
    const std::int64_t nHeight = header.nHeight < 0 ? -header.nHeight : header.nHeight;
    if (header.nWidth <= 0 || nHeight == 0 || header.nWidth > limits.nMaxWidth ||
        nHeight > limits.nMaxHeight) {
        return failure("picture size " + std::to_string(header.nWidth) + " x " +
                       std::to_string(nHeight) + " is not decoded (at most " +
                       std::to_string(limits.nMaxWidth) + " x " +
                       std::to_string(limits.nMaxHeight) + ")");
    }
    const std::size_t nPixels = in.u32(10);
    std::vector<std::uint32_t> palette;
    if (header.nBitCount <= 8) {
        palette = readPalette(in, header, nPixels, csError);
        if (palette.empty()) {
            return failure(csError);
        }
    }
    const std::size_t nRowBytes =
        static_cast<std::size_t>((header.nWidth * header.nBitCount + 31) / 32 * 4);
    if (!in.has(nPixels, nRowBytes * static_cast<std::size_t>(nHeight))) {
        return failure("the pixels are cut off");
    }
    DrawingSurface surface =
        DrawingSurface::create(static_cast<int>(header.nWidth), static_cast<int>(nHeight));
    if (!surface.isValid()) {
        return failure("not enough memory for the picture");
    }
    surface.flush();
    for (std::int64_t y = 0; y < nHeight; ++y) {
        const std::int64_t nSourceRow = header.nHeight < 0 ? y : nHeight - 1 - y;
        const std::uint8_t* pRow =
            in.at(nPixels + static_cast<std::size_t>(nSourceRow) * nRowBytes);
        std::uint32_t* pOut = surface.row(static_cast<int>(y));
        for (int x = 0; x < header.nWidth; ++x) {
            pOut[x] = 0xFF000000u | pixelAt(pRow, x, header, palette);
        }
    }
    surface.markDirty();
    BmpDecodeResult result;
    result.surface = std::move(surface);
    return result;
}
