#include "imaging/JpegDecoder.h"

#include "imaging/JpegErrorManager.h"
#include "imaging/JpegPixelLayout.h"

#include <jerror.h>
#include <memory>
#include <vector>

namespace {

void onMessage(j_common_ptr pInfo, int nLevel) {
    // Level -1 is a warning about damaged data. Data that ends before the
    // picture does would be filled with grey: that is a failure here.
    const int nCode = pInfo->err->msg_code;
    if (nLevel < 0 && (nCode == JWRN_JPEG_EOF || nCode == JWRN_HIT_MARKER)) {
        JpegErrorManager& errors = JpegErrorManager::of(pInfo);
        pInfo->err->format_message(pInfo, errors.szMessage);
        errors.bEndedEarly = true;
    }
}

void onProgress(j_common_ptr pInfo) {
    auto* pDecompress = reinterpret_cast<j_decompress_ptr>(pInfo);
    if (pDecompress->input_scan_number > kMaxJpegScans) {
        JpegErrorManager& errors = JpegErrorManager::of(pInfo);
        std::snprintf(errors.szMessage, sizeof errors.szMessage,
                      "Too many scans in a progressive JPEG file (more than %d)", kMaxJpegScans);
        std::longjmp(errors.jump, 1);
    }
}

// Owner of one decompressor; destroys it whichever way decoding ends.
class Decompressor {
public:
    Decompressor() {
        m_info.err = m_errors.install();
        m_errors.mgr.emit_message = onMessage;
        m_progress.progress_monitor = onProgress;
        jpeg_create_decompress(&m_info);
        m_info.progress = &m_progress;
    }
    ~Decompressor() { jpeg_destroy_decompress(&m_info); }
    Decompressor(const Decompressor&) = delete;
    Decompressor& operator=(const Decompressor&) = delete;

    jpeg_decompress_struct& info() { return m_info; }
    JpegErrorManager& errors() { return m_errors; }

private:
    jpeg_decompress_struct m_info{};
    JpegErrorManager m_errors;
    jpeg_progress_mgr m_progress{};
};

std::string tooLargeMessage(unsigned nWidth, unsigned nHeight) {
    return "Decode: image too large (" + std::to_string(nWidth) + " x " + std::to_string(nHeight) +
           " pixels; at most " + std::to_string(kMaxJpegPixels) + " are decoded)";
}

// Adobe CMYK files store inverted values; either way the result is RGB.
std::uint32_t cmykToPixel(const JSAMPLE* pCmyk, bool bInverted) {
    unsigned c = pCmyk[0], m = pCmyk[1], y = pCmyk[2], k = pCmyk[3];
    if (!bInverted) {
        c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    }
    const unsigned r = c * k / 255, g = m * k / 255, b = y * k / 255;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

} // namespace

bool readJpegSize(const std::uint8_t* pData, std::size_t nSize, int& nWidth, int& nHeight,
                  std::string& csError) {
    Decompressor decompressor;
    jpeg_decompress_struct& info = decompressor.info();
    if (setjmp(decompressor.errors().jump) != 0) {
        csError = decompressor.errors().szMessage;
        return false;
    }
    jpeg_mem_src(&info, pData, static_cast<unsigned long>(nSize));
    jpeg_read_header(&info, TRUE);
    nWidth = static_cast<int>(info.image_width);
    nHeight = static_cast<int>(info.image_height);
    return true;
}

namespace {

// Everything decoding changes lives here, behind a pointer that stays the
// same across setjmp, so a longjmp leaves it in a known state.
struct DecodeState {
    JpegDecodeResult result;
    std::vector<JSAMPLE> rowBuffer;
};

void readPixels(jpeg_decompress_struct& info, JpegErrorManager& errors, DecodeState& state) {
    jpeg_read_header(&info, TRUE);
    const std::uint64_t nPixels = std::uint64_t{info.image_width} * info.image_height;
    if (nPixels > kMaxJpegPixels || info.image_width > 32767 || info.image_height > 32767) {
        state.result.csError = tooLargeMessage(info.image_width, info.image_height);
        return;
    }
    const bool bCmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = bCmyk ? JCS_CMYK : surfacePixelSpace();
    jpeg_start_decompress(&info);
    DrawingSurface& surface = state.result.surface;
    surface = DrawingSurface::create(static_cast<int>(info.output_width),
                                     static_cast<int>(info.output_height));
    if (!surface.isValid()) {
        state.result.csError = "Decode: not enough memory for the picture";
        return;
    }
    if (bCmyk) {
        state.rowBuffer.resize(std::size_t{info.output_width} * 4);
    }
    while (info.output_scanline < info.output_height && !errors.bEndedEarly) {
        std::uint32_t* pRow = surface.row(static_cast<int>(info.output_scanline));
        JSAMPROW pTarget = bCmyk ? state.rowBuffer.data() : reinterpret_cast<JSAMPROW>(pRow);
        jpeg_read_scanlines(&info, &pTarget, 1);
        if (bCmyk) {
            for (unsigned x = 0; x < info.output_width; ++x) {
                pRow[x] = cmykToPixel(&state.rowBuffer[x * 4], info.saw_Adobe_marker != 0);
            }
        }
    }
    if (errors.bEndedEarly) {
        surface = DrawingSurface();
        state.result.csError = errors.szMessage;
        return;
    }
    jpeg_finish_decompress(&info);
    surface.markDirty();
}

} // namespace

JpegDecodeResult decodeJpeg(const std::uint8_t* pData, std::size_t nSize) {
    if (pData == nullptr || nSize == 0) {
        JpegDecodeResult empty;
        empty.csError = "Decode: empty input";
        return empty;
    }
    const auto pState = std::make_unique<DecodeState>();
    Decompressor decompressor;
    if (setjmp(decompressor.errors().jump) == 0) {
        jpeg_mem_src(&decompressor.info(), pData, static_cast<unsigned long>(nSize));
        readPixels(decompressor.info(), decompressor.errors(), *pState);
    } else {
        pState->result.surface = DrawingSurface();
        pState->result.csError = decompressor.errors().szMessage;
    }
    return std::move(pState->result);
}
