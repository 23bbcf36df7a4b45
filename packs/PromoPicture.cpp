#include "packs/PromoPicture.h"

#include "imaging/BmpDecoder.h"
#include "imaging/JpegDecoder.h"
#include "platform/UniqueFd.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>

namespace {

PromoPictureResult failure(std::string csError) {
    PromoPictureResult result;
    result.csError = std::move(csError);
    return result;
}

bool readBounded(const std::string& csPath, std::string& data, std::string& csError) {
    UniqueFd fd(::open(csPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat info {};
    if (!fd || ::fstat(fd.get(), &info) != 0) {
        csError = "cannot open " + csPath + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISREG(info.st_mode)) {
        csError = csPath + " is not a regular file";
        return false;
    }
    if (static_cast<std::uint64_t>(info.st_size) > kPromoPictureLimits.nMaxFileBytes) {
        csError = csPath + " is larger than " + std::to_string(kPromoPictureLimits.nMaxFileBytes) +
                  " bytes";
        return false;
    }
    // One byte more than measured shows a file that grew meanwhile.
    const auto nSize = static_cast<std::size_t>(info.st_size);
    data.resize(nSize + 1);
    std::size_t nDone = 0;
    while (nDone < data.size()) {
        const ssize_t nRead = ::read(fd.get(), data.data() + nDone, data.size() - nDone);
        if (nRead < 0 && errno == EINTR) {
            continue;
        }
        if (nRead < 0) {
            csError = "cannot read " + csPath + ": " + std::strerror(errno);
            return false;
        }
        if (nRead == 0) {
            break;
        }
        nDone += static_cast<std::size_t>(nRead);
    }
    if (nDone > nSize) {
        csError = csPath + " changed while it was read";
        return false;
    }
    data.resize(nDone);
    return true;
}

bool startsWith(const std::string& data, std::string_view signature) {
    return data.compare(0, signature.size(), signature) == 0;
}

PromoPictureResult decodeJpegPicture(const std::uint8_t* pData, std::size_t nSize) {
    int nWidth = 0;
    int nHeight = 0;
    std::string csError;
    if (!readJpegSize(pData, nSize, nWidth, nHeight, csError)) {
        return failure(csError);
    }
    if (nWidth > kPromoPictureLimits.nMaxWidth || nHeight > kPromoPictureLimits.nMaxHeight) {
        return failure("JPEG: picture size " + std::to_string(nWidth) + " x " +
                       std::to_string(nHeight) + " is not decoded");
    }
    JpegDecodeResult jpeg = decodeJpeg(pData, nSize);
    return jpeg.ok() ? PromoPictureResult{std::move(jpeg.surface), ""} : failure(jpeg.csError);
}

} // namespace

PromoPictureResult loadPromoPicture(const std::string& csPath) {
    std::string data;
    std::string csError;
    if (!readBounded(csPath, data, csError)) {
        return failure(csError);
    }
    const auto* pData = reinterpret_cast<const std::uint8_t*>(data.data());
    if (startsWith(data, "BM")) {
        BmpDecodeResult bmp = decodeBmp(pData, data.size(), kPromoPictureLimits);
        return bmp.ok() ? PromoPictureResult{std::move(bmp.surface), ""} : failure(bmp.csError);
    }
    if (startsWith(data, "\x89PNG\r\n\x1a\n")) {
        PngDecodeResult png = decodePng(pData, data.size(), kPromoPictureLimits);
        return png.ok() ? PromoPictureResult{std::move(png.surface), ""} : failure(png.csError);
    }
    if (startsWith(data, "\xFF\xD8\xFF")) {
        return decodeJpegPicture(pData, data.size());
    }
    return failure(csPath + " is neither a bitmap, a PNG nor a JPEG file");
}
