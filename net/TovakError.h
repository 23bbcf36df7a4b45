#pragma once

// The error record that downloads, the location search and the framework
// library's URL fetch fill for their callers. The caller owns and clears it.
// Plain C layout: libtovak.so fills the same record.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

enum {
    TOVAKERROR_NONE = 0,
    TOVAKERROR_EXCEPTION = 1,
    TOVAKERROR_NOT_LOADED = 2,
    TOVAKERROR_REQUEST_FAILED = 3,
    TOVAKERROR_BAD_ANSWER = 4,
    TOVAKERROR_EMPTY_ARGUMENT = 5,
};

enum {
    TOVAKERROR_FLAG_EMPTY_URL = 1,
    TOVAKERROR_FLAG_EMPTY_PATH = 2,
};

typedef struct TOVAKERROR {
    uint32_t code;
    uint32_t flags;
    char message[512];
} TOVAKERROR, *LPTOVAKERROR;

#ifdef __cplusplus
}

// Sets code and flags to 0 and every message byte to 0.
void clearTovakError(LPTOVAKERROR error);
// Bounded copy that keeps the message NUL-terminated (at most 511 characters).
void setTovakErrorMessage(LPTOVAKERROR error, const char* text);
void setTovakError(LPTOVAKERROR error, uint32_t code, uint32_t flags, const char* text);
#endif
