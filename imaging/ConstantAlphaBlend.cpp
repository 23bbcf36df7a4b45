#include "imaging/ConstantAlphaBlend.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace {

bool is32Bit(const DrawingSurface& surface) {
    return surface.isValid() &&
           (surface.format() == CAIRO_FORMAT_RGB24 || surface.format() == CAIRO_FORMAT_ARGB32);
}

// (above * alpha + below * (255 - alpha)) / 255, rounded: exact for every
// input, and all of it fits 16 bits.
inline std::uint8_t mix(std::uint8_t below, std::uint8_t above, std::uint16_t alpha,
                        std::uint16_t inverse) {
    const auto t = static_cast<std::uint16_t>(above * alpha + below * inverse + 128);
    return static_cast<std::uint8_t>((t + (t >> 8)) >> 8);
}

using BlendBytes = void (*)(std::uint8_t* pTarget, const std::uint8_t* pBelow,
                            const std::uint8_t* pAbove, std::size_t nCount, std::uint16_t alpha);

// Any machine: a loop the compiler vectorises as far as it can. pBelow may
// be pTarget.
void blendBytesPlain(std::uint8_t* pTarget, const std::uint8_t* pBelow,
                     const std::uint8_t* __restrict pAbove, std::size_t nCount,
                     std::uint16_t alpha) {
    const auto inverse = static_cast<std::uint16_t>(255 - alpha);
    for (std::size_t i = 0; i < nCount; ++i) {
        pTarget[i] = mix(pBelow[i], pAbove[i], alpha, inverse);
    }
}

#if defined(__x86_64__)
// 32 bytes at a time, the same result: each below byte paired with its above
// byte, both less 128 to make them signed, is multiplied by (255 - alpha,
// alpha) and the pair summed in one instruction; adding 128 * 255 back and
// 127 to round, a multiply by 0x8081 and a shift divide by 255 exactly. The
// result goes to memory with non-temporal stores: a frame does not stay in
// the caches anyway, and a store that first reads its line would make the
// step move four frames of memory instead of three. Measured against the
// plain loop (twice the instructions), AVX-512 (slower on the machines
// measured) and pixman's constant-alpha paint (in place only, so after a
// copy).
__attribute__((target("avx2"))) void blendBytesAvx2(std::uint8_t* pTarget,
                                                    const std::uint8_t* pBelow,
                                                    const std::uint8_t* pAbove, std::size_t nCount,
                                                    std::uint16_t alpha) {
    // Streamed stores go to whole 32-byte lines: the bytes before the first
    // one are blended plainly, and so are those after the last.
    const std::size_t nMisaligned = reinterpret_cast<std::uintptr_t>(pTarget) % 32;
    std::size_t i = std::min<std::size_t>(nMisaligned == 0 ? 0 : 32 - nMisaligned, nCount);
    blendBytesPlain(pTarget, pBelow, pAbove, i, alpha);
    const __m256i weights = _mm256_set1_epi16(static_cast<short>((alpha << 8) | (255 - alpha)));
    const __m256i toSigned = _mm256_set1_epi8(static_cast<char>(0x80));
    const __m256i offset = _mm256_set1_epi16(128 * 255 + 127);
    const __m256i reciprocal = _mm256_set1_epi16(static_cast<short>(0x8081));
    for (; i + 32 <= nCount; i += 32) {
        const __m256i below = _mm256_xor_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pBelow + i)), toSigned);
        const __m256i above = _mm256_xor_si256(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(pAbove + i)), toSigned);
        __m256i low = _mm256_maddubs_epi16(weights, _mm256_unpacklo_epi8(below, above));
        __m256i high = _mm256_maddubs_epi16(weights, _mm256_unpackhi_epi8(below, above));
        low = _mm256_srli_epi16(_mm256_mulhi_epu16(_mm256_add_epi16(low, offset), reciprocal), 7);
        high = _mm256_srli_epi16(_mm256_mulhi_epu16(_mm256_add_epi16(high, offset), reciprocal), 7);
        _mm256_stream_si256(reinterpret_cast<__m256i*>(pTarget + i),
                            _mm256_packus_epi16(low, high));
    }
    // Streamed stores reach other threads only after a fence.
    _mm_sfence();
    blendBytesPlain(pTarget + i, pBelow + i, pAbove + i, nCount - i, alpha);
}
#endif

BlendBytes chooseBlend() {
#if defined(__x86_64__)
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) {
        return blendBytesAvx2;
    }
#endif
    return blendBytesPlain;
}

std::uint8_t* bytesOf(DrawingSurface& surface, int y) {
    return reinterpret_cast<std::uint8_t*>(surface.row(y));
}

const std::uint8_t* bytesOf(const DrawingSurface& surface, int y) {
    return reinterpret_cast<const std::uint8_t*>(surface.row(y));
}

bool contiguous(const DrawingSurface& surface, int nWidth) {
    return surface.width() == nWidth && cairo_image_surface_get_stride(surface.get()) ==
                                            static_cast<int>(nWidth * sizeof(std::uint32_t));
}

} // namespace

bool blendConstantAlpha(DrawingSurface& target, const DrawingSurface& below,
                        const DrawingSurface& above, int nAlpha) {
    if (!is32Bit(target) || !is32Bit(below) || !is32Bit(above) || nAlpha < 0 || nAlpha > 255) {
        return false;
    }
    static const BlendBytes blendBytes = chooseBlend();
    const int nWidth = std::min({target.width(), below.width(), above.width()});
    const int nHeight = std::min({target.height(), below.height(), above.height()});
    const auto alpha = static_cast<std::uint16_t>(nAlpha);
    // Surfaces of one size with no padding are one run of bytes.
    const bool bOneRun = contiguous(target, nWidth) && contiguous(below, nWidth) &&
                         contiguous(above, nWidth) && target.height() == nHeight &&
                         below.height() == nHeight && above.height() == nHeight;
    const int nRuns = bOneRun ? 1 : nHeight;
    const std::size_t nRunBytes =
        static_cast<std::size_t>(nWidth) * sizeof(std::uint32_t) * (bOneRun ? nHeight : 1);
    for (int y = 0; y < nRuns; ++y) {
        blendBytes(bytesOf(target, y), bytesOf(below, y), bytesOf(above, y), nRunBytes, alpha);
    }
    return true;
}

bool blendConstantAlpha(DrawingSurface& target, const DrawingSurface& above, int nAlpha) {
    return blendConstantAlpha(target, target, above, nAlpha);
}
