#include "net/TovakError.h"

#include <cstring>

namespace {

bool isContinuationByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

} // namespace

void clearTovakError(LPTOVAKERROR error) {
    if (error == nullptr) {
        return;
    }
    error->code = TOVAKERROR_NONE;
    error->flags = 0;
    std::memset(error->message, 0, sizeof(error->message));
}

void setTovakErrorMessage(LPTOVAKERROR error, const char* text) {
    if (error == nullptr) {
        return;
    }
    if (text == nullptr) {
        text = "";
    }
    // Bounded copy; the last byte always stays a NUL. A text that is cut
    // loses a UTF-8 character it would otherwise split, so that what is
    // kept still reads (and shows in a message box) as text.
    const std::size_t room = sizeof(error->message) - 1;
    std::size_t length = strnlen(text, room + 1);
    if (length > room) {
        length = room;
        std::size_t start = length;
        for (int back = 0; back < 3 && start > 0 && isContinuationByte(text[start]); ++back) {
            --start;
        }
        if (start < length && static_cast<unsigned char>(text[start]) >= 0xC0) {
            length = start;
        }
    }
    std::memset(error->message, 0, sizeof(error->message));
    std::memcpy(error->message, text, length);
}

void setTovakError(LPTOVAKERROR error, uint32_t code, uint32_t flags, const char* text) {
    if (error == nullptr) {
        return;
    }
    error->code = code;
    error->flags = flags;
    setTovakErrorMessage(error, text);
}
