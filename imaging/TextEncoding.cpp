#include "imaging/TextEncoding.h"

#include <algorithm>
#include <glib.h>

std::string toValidUtf8(std::string_view text) {
    std::string csText(text);
    // An embedded NUL would end the text for the layout engine; drop it.
    std::erase(csText, '\0');
    if (g_utf8_validate(csText.data(), static_cast<gssize>(csText.size()), nullptr)) {
        return csText;
    }
    std::string csUtf8;
    csUtf8.reserve(csText.size() * 2);
    for (const char c : csText) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            csUtf8.push_back(c);
        } else {
            csUtf8.push_back(static_cast<char>(0xC0 | (byte >> 6)));
            csUtf8.push_back(static_cast<char>(0x80 | (byte & 0x3F)));
        }
    }
    return csUtf8;
}
