// Decodes arbitrary bytes as a promotional picture in the bitmap format.
// Whatever the input, the decoder must return without crashing, hanging or
// reading past the bytes given, and a picture it returns must lie within
// the bounds.
#include "imaging/BmpDecoder.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr ImageDecodeLimits kLimits{4096, 4096, 16ull * 1024 * 1024};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const BmpDecodeResult result = decodeBmp(data, size, kLimits);
    if (result.ok() && (result.surface.width() > kLimits.nMaxWidth ||
                        result.surface.height() > kLimits.nMaxHeight)) {
        __builtin_trap();
    }
    if (!result.ok() && result.csError.empty()) {
        __builtin_trap();
    }
    return 0;
}
