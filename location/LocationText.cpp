#include "location/LocationText.h"

#include <array>

namespace {

// Length of the white-space character at the start of text, 0 when there is
// none there.
std::size_t whiteSpaceAt(std::string_view text) {
    static constexpr std::array<std::string_view, 6> kAscii = {" ", "\t", "\n", "\v", "\f", "\r"};
    // U+0085, U+00A0, U+1680, U+2000-U+200A, U+2028, U+2029, U+202F, U+205F, U+3000.
    static constexpr std::array<std::string_view, 19> kUnicode = {
        "\xC2\x85",     "\xC2\xA0",     "\xE1\x9A\x80", "\xE2\x80\x80", "\xE2\x80\x81",
        "\xE2\x80\x82", "\xE2\x80\x83", "\xE2\x80\x84", "\xE2\x80\x85", "\xE2\x80\x86",
        "\xE2\x80\x87", "\xE2\x80\x88", "\xE2\x80\x89", "\xE2\x80\x8A", "\xE2\x80\xA8",
        "\xE2\x80\xA9", "\xE2\x80\xAF", "\xE2\x81\x9F", "\xE3\x80\x80"};
    for (std::string_view space : kAscii) {
        if (text.starts_with(space)) {
            return space.size();
        }
    }
    for (std::string_view space : kUnicode) {
        if (text.starts_with(space)) {
            return space.size();
        }
    }
    return 0;
}

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

std::string trimWhiteSpace(std::string_view text) {
    while (const std::size_t length = whiteSpaceAt(text)) {
        text.remove_prefix(length);
    }
    // From the end: step back over one whole character at a time.
    while (!text.empty()) {
        std::size_t start = text.size() - 1;
        while (start > 0 && text.size() - start < 4 && isContinuationByte(text[start])) {
            --start;
        }
        if (whiteSpaceAt(text.substr(start)) != text.size() - start) {
            break;
        }
        text.remove_suffix(text.size() - start);
    }
    return std::string(text);
}

std::string firstCharacters(std::string_view text, std::size_t count) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < count; ++characters) {
        ++end;
        while (end < text.size() && isContinuationByte(text[end])) {
            ++end;
        }
    }
    return std::string(text.substr(0, end));
}
