#include "imaging/JpegEncoder.h"

#include "imaging/JpegErrorManager.h"
#include "imaging/JpegPixelLayout.h"

#include <cstdlib>

namespace {

// Owner of one compressor and of the memory buffer libjpeg writes into.
class Compressor {
public:
    Compressor() {
        m_info.err = m_errors.install();
        jpeg_create_compress(&m_info);
    }
    ~Compressor() {
        jpeg_destroy_compress(&m_info);
        std::free(m_pBuffer);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    jpeg_compress_struct& info() { return m_info; }
    JpegErrorManager& errors() { return m_errors; }
    unsigned char** buffer() { return &m_pBuffer; }
    unsigned long* size() { return &m_nSize; }

private:
    jpeg_compress_struct m_info{};
    JpegErrorManager m_errors;
    unsigned char* m_pBuffer = nullptr;
    unsigned long m_nSize = 0;
};

void writeRows(jpeg_compress_struct& info, const DrawingSurface& surface, int nQuality) {
    info.image_width = static_cast<JDIMENSION>(surface.width());
    info.image_height = static_cast<JDIMENSION>(surface.height());
    info.input_components = 4;
    info.in_color_space = surfacePixelSpace();
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, nQuality, TRUE);
    info.optimize_coding = TRUE;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        const std::uint32_t* pRow = surface.row(static_cast<int>(info.next_scanline));
        auto* pSamples = reinterpret_cast<JSAMPROW>(const_cast<std::uint32_t*>(pRow));
        jpeg_write_scanlines(&info, &pSamples, 1);
    }
    jpeg_finish_compress(&info);
}

} // namespace

bool encodeJpeg(const DrawingSurface& surface, int nQuality, std::string& jpegData,
                std::string& csError) {
    if (!surface.isValid()) {
        csError = "Encode: no picture";
        return false;
    }
    surface.flush();
    Compressor compressor;
    if (setjmp(compressor.errors().jump) != 0) {
        csError = compressor.errors().szMessage;
        return false;
    }
    jpeg_mem_dest(&compressor.info(), compressor.buffer(), compressor.size());
    writeRows(compressor.info(), surface, nQuality);
    jpegData.assign(reinterpret_cast<const char*>(*compressor.buffer()), *compressor.size());
    return true;
}
