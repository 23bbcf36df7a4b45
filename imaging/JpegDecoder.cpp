#include "imaging/JpegDecoder.h"

#include "imaging/JpegErrorManager.h"
#include "imaging/JpegPartPlan.h"
#include "imaging/JpegPixelLayout.h"

#include <algorithm>
#include <jerror.h>
#include <new>
#include <utility>
#include <vector>

namespace {

constexpr int kBytesPerPixel = 4;
// Rows handed to libjpeg at once when it decodes straight into the target.
constexpr int kRowBatch = 16;

std::string tooLargeMessage(unsigned nWidth, unsigned nHeight) {
    return "Decode: image too large (" + std::to_string(nWidth) + " x " + std::to_string(nHeight) +
           " pixels; at most " + std::to_string(kMaxJpegPixels) + " are decoded)";
}

std::string sizeText(const jpeg_decompress_struct& info) {
    return std::to_string(info.image_width) + " x " + std::to_string(info.image_height);
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

bool isCmyk(const jpeg_decompress_struct& info) {
    return info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
}

} // namespace

// Everything libjpeg and a decode change lives here, on the heap: the
// decompressor points into it, and a longjmp out of libjpeg finds it as it
// was left.
struct JpegDecoderState {
    JpegDecoderState() {
        info.err = errors.install();
        errors.mgr.emit_message = onMessage;
        progress.progress_monitor = onProgress;
        jpeg_create_decompress(&info);
        info.progress = &progress;
        info.client_data = this;
        info.mem->max_memory_to_use = kMaxJpegWorkingMemory;
    }
    ~JpegDecoderState() { jpeg_destroy_decompress(&info); }
    JpegDecoderState(const JpegDecoderState&) = delete;
    JpegDecoderState& operator=(const JpegDecoderState&) = delete;

    static JpegDecoderState& of(j_common_ptr pInfo) {
        return *static_cast<JpegDecoderState*>(pInfo->client_data);
    }

    // Level -1 is a warning about damaged data. Data that ends before the
    // picture does would be filled with grey, and scan after scan of such
    // filling costs as much as real data: it ends the decode at once.
    static void onMessage(j_common_ptr pInfo, int nLevel) {
        const int nCode = pInfo->err->msg_code;
        if (nLevel < 0 && (nCode == JWRN_JPEG_EOF || nCode == JWRN_HIT_MARKER)) {
            JpegErrorManager::exitWithMessage(pInfo);
        }
    }

    // Called often while scans are read; counts each scan's work as it
    // starts, before any of its data is decoded.
    static void onProgress(j_common_ptr pInfo) {
        JpegDecoderState& state = of(pInfo);
        const jpeg_decompress_struct& info = state.info;
        if (info.input_scan_number == state.nScansCounted) {
            return;
        }
        state.nScansCounted = info.input_scan_number;
        if (state.nScansCounted > kMaxJpegScans) {
            std::snprintf(state.errors.szMessage, sizeof state.errors.szMessage,
                          "Decode: too many scans in a progressive JPEG file (more than %d)",
                          kMaxJpegScans);
            std::longjmp(state.errors.jump, 1);
        }
        for (int i = 0; i < info.comps_in_scan; ++i) {
            const jpeg_component_info* pComponent = info.cur_comp_info[i];
            state.nScanPixels += std::uint64_t{pComponent->width_in_blocks} *
                                 pComponent->height_in_blocks * DCTSIZE2;
        }
        if (state.nScanPixels > kMaxJpegScanPixels) {
            std::snprintf(state.errors.szMessage, sizeof state.errors.szMessage,
                          "Decode: too many scans in a progressive JPEG file (%d over %u x %u "
                          "pixels; at most %llu pixels of scans are decoded)",
                          state.nScansCounted, info.image_width, info.image_height,
                          static_cast<unsigned long long>(kMaxJpegScanPixels));
            std::longjmp(state.errors.jump, 1);
        }
    }

    // The message of the error that ended the last libjpeg call.
    std::string lastMessage() const {
        if (errors.mgr.msg_code == JERR_NO_BACKING_STORE) {
            return "Decode: the picture needs more than " +
                   std::to_string(kMaxJpegWorkingMemory >> 20) + " MiB to decode";
        }
        return errors.szMessage;
    }

    jpeg_decompress_struct info{};
    JpegErrorManager errors;
    jpeg_progress_mgr progress{};
    const std::uint8_t* pData = nullptr;
    std::size_t nSize = 0;
    bool bOpen = false;
    int nWidth = 0;
    int nHeight = 0;
    // Set once a decode has started: the next one reads the header again.
    bool bHeaderUsed = false;
    // The work of the scans started so far in this decode.
    int nScansCounted = 0;
    std::uint64_t nScanPixels = 0;
    std::string csError;
    std::vector<JSAMPLE> rowBuffer;
    std::vector<JSAMPROW> rowPointers;
    JpegPartPlan plan;
};

namespace {

using State = JpegDecoderState;

// The header checks that need no decoding. Empty when the picture may be
// decoded.
std::string budgetRefusal(const jpeg_decompress_struct& info, std::size_t nSize) {
    const std::uint64_t nPixels = std::uint64_t{info.image_width} * info.image_height;
    if (nPixels > kMaxJpegPixels || info.image_width > 32767 || info.image_height > 32767) {
        return tooLargeMessage(info.image_width, info.image_height);
    }
    std::uint64_t nBlocks = 0;
    std::uint64_t nCoefficientBytes = 0;
    for (int c = 0; c < info.num_components; ++c) {
        const jpeg_component_info& component = info.comp_info[c];
        const std::uint64_t nComponentBlocks =
            std::uint64_t{component.width_in_blocks} * component.height_in_blocks;
        nBlocks += nComponentBlocks;
        // libjpeg keeps whole rows of sampling-factor blocks.
        const std::uint64_t nRows = (component.height_in_blocks + component.v_samp_factor - 1) /
                                    component.v_samp_factor * component.v_samp_factor;
        const std::uint64_t nColumns = (component.width_in_blocks + component.h_samp_factor - 1) /
                                       component.h_samp_factor * component.h_samp_factor;
        nCoefficientBytes += nRows * nColumns * sizeof(JBLOCK);
    }
    const std::uint64_t nLeastBytes = nBlocks * kMinJpegBitsPerBlock / 8;
    if (nSize < nLeastBytes) {
        return "Decode: file too small for its size (" + sizeText(info) + " pixels need at least " +
               std::to_string(nLeastBytes) + " bytes of data; the file has " +
               std::to_string(nSize) + ")";
    }
    if (jpeg_has_multiple_scans(const_cast<jpeg_decompress_struct*>(&info)) &&
        nCoefficientBytes > static_cast<std::uint64_t>(kMaxJpegWorkingMemory)) {
        return "Decode: the picture needs more than " +
               std::to_string(kMaxJpegWorkingMemory >> 20) + " MiB to decode (" + sizeText(info) +
               " pixels in several scans)";
    }
    return {};
}

// Reads the header from the start of the data. Jumps out on failure.
void readHeader(State& state) {
    jpeg_mem_src(&state.info, state.pData, static_cast<unsigned long>(state.nSize));
    jpeg_read_header(&state.info, TRUE);
}

// A read that returns no row: only a source that ran dry does that.
[[noreturn]] void endedEarly(State& state) {
    std::snprintf(state.errors.szMessage, sizeof state.errors.szMessage,
                  "Decode: the data ended before the picture");
    std::longjmp(state.errors.jump, 1);
}

// Copies or shrinks one decoded row into the target row.
void placeRow(State& state, const JSAMPLE* pDecoded, std::uint32_t* pTarget) {
    const JpegPartPlan& plan = state.plan;
    const int nCount = plan.visible.width();
    if (isCmyk(state.info)) {
        const bool bInverted = state.info.saw_Adobe_marker != 0;
        for (int i = 0; i < nCount; ++i) {
            pTarget[i] = cmykToPixel(pDecoded + plan.sourceColumn(i) * 4, bInverted);
        }
        return;
    }
    const auto* pPixels = reinterpret_cast<const std::uint32_t*>(pDecoded);
    if (plan.bSameWidth) {
        std::copy_n(pPixels + plan.sourceColumn(0), nCount, pTarget);
        return;
    }
    for (int i = 0; i < nCount; ++i) {
        pTarget[i] = pPixels[plan.sourceColumn(i)];
    }
}

// Reads rows straight into the target, a batch at a time.
void readRowsInPlace(State& state, DrawingSurface& target) {
    const JpegPartPlan& plan = state.plan;
    int y = plan.visible.top;
    while (y < plan.visible.bottom) {
        const int nRows = std::min(kRowBatch, plan.visible.bottom - y);
        for (int i = 0; i < nRows; ++i) {
            state.rowPointers[static_cast<std::size_t>(i)] =
                reinterpret_cast<JSAMPROW>(target.row(y + i) + plan.visible.left);
        }
        const auto nRead = jpeg_read_scanlines(&state.info, state.rowPointers.data(),
                                               static_cast<JDIMENSION>(nRows));
        if (nRead == 0) {
            endedEarly(state);
        }
        y += static_cast<int>(nRead);
    }
}

// Reads each needed row into the row buffer and places it on every target
// row that shows it.
void readRowsThroughBuffer(State& state, DrawingSurface& target) {
    const JpegPartPlan& plan = state.plan;
    JSAMPROW pBuffer = state.rowBuffer.data();
    int y = plan.visible.top;
    for (int nRow = plan.nFirstRow; nRow < plan.nEndRow; ++nRow) {
        if (jpeg_read_scanlines(&state.info, &pBuffer, 1) == 0) {
            endedEarly(state);
        }
        if (plan.sourceRow(y) != nRow) {
            continue;
        }
        std::uint32_t* pFirst = target.row(y) + plan.visible.left;
        placeRow(state, pBuffer, pFirst);
        // Rows stretched taller repeat the row just placed.
        for (++y; y < plan.visible.bottom && plan.sourceRow(y) == nRow; ++y) {
            std::copy_n(pFirst, plan.visible.width(), target.row(y) + plan.visible.left);
        }
    }
}

// The whole decode of one part, after the plan is made. Jumps out on
// failure.
void decodePart(State& state, DrawingSurface& target) {
    jpeg_decompress_struct& info = state.info;
    JpegPartPlan& plan = state.plan;
    if (state.bHeaderUsed) {
        jpeg_abort_decompress(&info);
        readHeader(state);
    }
    state.bHeaderUsed = true;
    state.nScansCounted = 0;
    state.nScanPixels = 0;
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned>(plan.nScale);
    info.out_color_space = isCmyk(info) ? JCS_CMYK : surfacePixelSpace();
    jpeg_start_decompress(&info);

    JDIMENSION nOffset = static_cast<JDIMENSION>(plan.nFirstColumn);
    JDIMENSION nWidth = static_cast<JDIMENSION>(plan.nEndColumn - plan.nFirstColumn);
    if (nOffset > 0 || nWidth < info.output_width) {
        jpeg_crop_scanline(&info, &nOffset, &nWidth);
    }
    plan.nDecodedOffset = static_cast<int>(nOffset);
    if (plan.nFirstRow > 0) {
        jpeg_skip_scanlines(&info, static_cast<JDIMENSION>(plan.nFirstRow));
    }
    const bool bInPlace = plan.bSameWidth && plan.bSameHeight && !isCmyk(info) &&
                          plan.nDecodedOffset == plan.nFirstColumn;
    if (bInPlace) {
        readRowsInPlace(state, target);
    } else {
        readRowsThroughBuffer(state, target);
    }
    if (info.output_scanline < info.output_height) {
        // The rows below the part are not needed.
        jpeg_abort_decompress(&info);
    } else {
        jpeg_finish_decompress(&info);
    }
}

} // namespace

JpegDecoder::JpegDecoder() = default;
JpegDecoder::~JpegDecoder() = default;
JpegDecoder::JpegDecoder(JpegDecoder&& other) noexcept = default;
JpegDecoder& JpegDecoder::operator=(JpegDecoder&& other) noexcept = default;

bool JpegDecoder::isOpen() const {
    return m_pState && m_pState->bOpen;
}

int JpegDecoder::width() const {
    return isOpen() ? m_pState->nWidth : 0;
}

int JpegDecoder::height() const {
    return isOpen() ? m_pState->nHeight : 0;
}

const std::string& JpegDecoder::error() const {
    static const std::string csNone;
    return m_pState ? m_pState->csError : csNone;
}

bool JpegDecoder::open(const std::uint8_t* pData, std::size_t nSize) {
    if (!m_pState) {
        m_pState = std::make_unique<JpegDecoderState>();
    }
    State& state = *m_pState;
    state.bOpen = false;
    state.csError.clear();
    if (pData == nullptr || nSize == 0) {
        state.csError = "Decode: empty input";
        return false;
    }
    jpeg_abort_decompress(&state.info);
    state.bHeaderUsed = false;
    state.pData = pData;
    state.nSize = nSize;
    if (setjmp(state.errors.jump) != 0) {
        state.csError = state.lastMessage();
        jpeg_abort_decompress(&state.info);
        return false;
    }
    readHeader(state);
    state.csError = budgetRefusal(state.info, nSize);
    if (!state.csError.empty()) {
        jpeg_abort_decompress(&state.info);
        return false;
    }
    state.nWidth = static_cast<int>(state.info.image_width);
    state.nHeight = static_cast<int>(state.info.image_height);
    state.bOpen = true;
    // The next decode starts from the header already read.
    state.bHeaderUsed = false;
    return true;
}

bool JpegDecoder::decode(const Rect& source, DrawingSurface& target, const Rect& placed) {
    if (!isOpen()) {
        return false;
    }
    State& state = *m_pState;
    state.csError.clear();
    if (!target.isValid() ||
        (target.format() != CAIRO_FORMAT_RGB24 && target.format() != CAIRO_FORMAT_ARGB32)) {
        state.csError = "Decode: nothing to decode into";
        return false;
    }
    const Rect picture{0, 0, width(), height()};
    try {
        if (!state.plan.make(picture, source, Rect{0, 0, target.width(), target.height()},
                             placed)) {
            state.csError = "Decode: empty part of the picture";
            return false;
        }
        // Large enough for any row of the part at its scale.
        state.rowBuffer.resize(static_cast<std::size_t>(width() / state.plan.nScale + 1) *
                               kBytesPerPixel);
        state.rowPointers.resize(kRowBatch);
    } catch (const std::bad_alloc&) {
        state.csError = "Decode: not enough memory";
        return false;
    }
    if (state.plan.visible.isEmpty()) {
        return true;
    }
    target.flush();
    if (setjmp(state.errors.jump) != 0) {
        state.csError = state.lastMessage();
        jpeg_abort_decompress(&state.info);
        target.markDirty();
        return false;
    }
    decodePart(state, target);
    target.markDirty();
    return true;
}

JpegDecodeResult decodeJpeg(const std::uint8_t* pData, std::size_t nSize) {
    JpegDecodeResult result;
    JpegDecoder decoder;
    if (!decoder.open(pData, nSize)) {
        result.csError = decoder.error();
        return result;
    }
    const Rect whole{0, 0, decoder.width(), decoder.height()};
    DrawingSurface surface = DrawingSurface::create(whole.right, whole.bottom);
    if (!surface.isValid()) {
        result.csError = "Decode: not enough memory for the picture";
        return result;
    }
    if (!decoder.decode(whole, surface, whole)) {
        result.csError = decoder.error();
        return result;
    }
    result.surface = std::move(surface);
    return result;
}

bool readJpegSize(const std::uint8_t* pData, std::size_t nSize, int& nWidth, int& nHeight,
                  std::string& csError) {
    JpegDecoderState state;
    if (setjmp(state.errors.jump) != 0) {
        csError = state.lastMessage();
        return false;
    }
    if (pData == nullptr || nSize == 0) {
        csError = "Decode: empty input";
        return false;
    }
    state.pData = pData;
    state.nSize = nSize;
    readHeader(state);
    nWidth = static_cast<int>(state.info.image_width);
    nHeight = static_cast<int>(state.info.image_height);
    return true;
}
