#include "net/UrlEncoding.h"

namespace {

bool reserved(unsigned char byte) {
    const bool unreserved = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                            (byte >= '0' && byte <= '9') || byte == '-' || byte == '.' ||
                            byte == '_' || byte == '~';
    return !unreserved;
}

bool unsafeInQuery(unsigned char byte) {
    return byte <= 0x20 || byte >= 0x7F || byte == '#' || byte == '&' || byte == '+' ||
           byte == '%' || byte == '"' || byte == '<' || byte == '>';
}

bool unsafeInPath(unsigned char byte) {
    return unsafeInQuery(byte) || byte == '/' || byte == '?' || byte == '\\';
}

template <typename Unsafe>
std::string percentEncode(std::string_view value, Unsafe unsafe) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (unsafe(byte)) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0x0F];
        } else {
            out += c;
        }
    }
    return out;
}

} // namespace

std::string urlEncode(std::string_view text) {
    return percentEncode(text, reserved);
}

std::string queryValue(std::string_view value) {
    return percentEncode(value, unsafeInQuery);
}

std::string pathSegmentValue(std::string_view value) {
    return percentEncode(value, unsafeInPath);
}
