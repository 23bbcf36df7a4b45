// Decodes arbitrary bytes as a PNG condition icon. Whatever the input, the
// decoder must return without crashing, hanging or allocating past its
// bounds, and a picture it returns must lie within them.
#include "imaging/PngDecoder.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const PngDecodeResult result = decodePng(data, size, kIconDecodeLimits);
    if (result.ok() && (result.surface.width() > kIconDecodeLimits.nMaxWidth ||
                        result.surface.height() > kIconDecodeLimits.nMaxHeight)) {
        __builtin_trap();
    }
    if (!result.ok() && result.csError.empty()) {
        __builtin_trap();
    }
    return 0;
}
