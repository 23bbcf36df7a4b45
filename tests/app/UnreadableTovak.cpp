// A stand-in framework library whose query succeeds but whose response
// cannot be fetched afterwards.

#include "net/TovakError.h"

extern "C" __attribute__((visibility("default"))) bool QueryUrl(const char*, unsigned* size,
                                                                TOVAKERROR*) {
    *size = 5;
    return true;
}

extern "C" __attribute__((visibility("default"))) bool GetQueryUrlResponse(char*, unsigned) {
    return false;
}
