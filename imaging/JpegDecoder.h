#pragma once

#include "imaging/DrawingSurface.h"
#include "imaging/Rect.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

struct JpegDecoderState;

// What decoding one picture may cost, whatever the file holds. Each limit is
// checked before the memory or the work it guards is spent, so a hostile
// file is refused within about a second of CPU and well under 128 MiB.
//
// Largest picture, in pixels (8192 x 8192), refused from its header.
inline constexpr std::uint64_t kMaxJpegPixels = 8192ull * 8192ull;
// A multi-scan (progressive) file passes over the picture once per scan,
// each scan over the components it codes, so its scans are bounded by that
// work: all of them together may cover at most kMaxJpegScanPixels pixels of
// components (64 scans of one component at 4096 x 4096, 129 at 3840 x 2160),
// and there are never more than kMaxJpegScans. Real photos have a dozen.
inline constexpr int kMaxJpegScans = 500;
inline constexpr std::uint64_t kMaxJpegScanPixels = 1ull << 30;
// Memory libjpeg may take for itself (a multi-scan file keeps every DCT
// coefficient of the picture: 3 bytes a pixel for usual colour photos);
// the pixels decoded into the caller's surface come on top.
inline constexpr long kMaxJpegWorkingMemory = 96l << 20;
// Every 8 x 8 block of every component takes at least one bit of coded
// data in a complete file; a file shorter than that for the size its header
// claims is refused without decoding it.
inline constexpr std::uint64_t kMinJpegBitsPerBlock = 1;

// One JPEG file held in memory, decoded header first: open() reads and
// checks the header alone, so the caller can fit the picture from its size,
// then decode() writes just the part of the picture it asks for, scaled as
// it asks, straight into its surface. The data is not copied and must stay
// alive and unchanged while the decoder is used. Move-only; never throws.
//
// Typical uses: a photo cropped to the screen (decode a window of it at its
// own size into the frame), a photo shrunk to fit (decode all of it into a
// smaller rectangle: libjpeg's DCT scaling does most of the shrinking), a
// thumbnail (the same, into a small surface), a whole picture
// (decodeJpeg() below).
class JpegDecoder {
public:
    // Holds nothing until open().
    JpegDecoder();
    ~JpegDecoder();
    JpegDecoder(JpegDecoder&& other) noexcept;
    JpegDecoder& operator=(JpegDecoder&& other) noexcept;
    JpegDecoder(const JpegDecoder&) = delete;
    JpegDecoder& operator=(const JpegDecoder&) = delete;

    // Reads the header of the file in pData and checks it against the
    // budget above. False, with error() set, when it is not a JPEG file or
    // may not be decoded; nothing large is allocated either way.
    bool open(const std::uint8_t* pData, std::size_t nSize);
    bool isOpen() const;
    // The picture's size from its header; 0 before a successful open().
    int width() const;
    int height() const;

    // Decodes the part of the picture inside source (picture pixels, clamped
    // to the picture) into target, filling the rectangle placed (target
    // pixels; only what lies on the target is written, nothing outside it).
    // When placed is smaller than source, the picture is decoded at 1/2,
    // 1/4 or 1/8 of its size as far as the part stays at least as large as
    // placed, then shrunk nearest-neighbour; when it is the same size, rows
    // are decoded straight into the target. Only the rows and the columns
    // (to the nearest 8 or 16 pixels) that the target shows are decoded.
    // May be called again for another part. False, with error() set, when
    // the data turns out damaged or over the budget; placed may then hold
    // some decoded rows.
    bool decode(const Rect& source, DrawingSurface& target, const Rect& placed);

    const std::string& error() const;

private:
    std::unique_ptr<JpegDecoderState> m_pState;
};

struct JpegDecodeResult {
    DrawingSurface surface; // CAIRO_FORMAT_RGB24 on success
    std::string csError;    // the decoder's message on failure
    bool ok() const { return surface.isValid(); }
};

// Decodes a complete JPEG file held in memory, all of it at its own size,
// into a new surface. A file that ends early is an error rather than a
// picture padded with grey.
JpegDecodeResult decodeJpeg(const std::uint8_t* pData, std::size_t nSize);

// Reads only the header, without the budget: false with a message when it
// is not a JPEG file.
bool readJpegSize(const std::uint8_t* pData, std::size_t nSize, int& nWidth, int& nHeight,
                  std::string& csError);
