#include "net/TovakError.h"

#include <cstring>

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
    // Bounded copy; the last byte always stays a NUL.
    std::strncpy(error->message, text, sizeof(error->message) - 1);
    error->message[sizeof(error->message) - 1] = '\0';
}

void setTovakError(LPTOVAKERROR error, uint32_t code, uint32_t flags, const char* text) {
    if (error == nullptr) {
        return;
    }
    error->code = code;
    error->flags = flags;
    setTovakErrorMessage(error, text);
}
