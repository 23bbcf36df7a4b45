#pragma once

// jpeglib.h needs FILE and size_t declared first.
#include <csetjmp>
#include <cstdio>
#include <jpeglib.h>

// libjpeg reports a fatal error by calling error_exit, which must not
// return. This one keeps the message and jumps back to the setjmp on jump,
// which the caller sets before each libjpeg call that may fail. mgr comes
// first so that libjpeg's err pointer is the whole manager.
//
// The frames that a jump leaves (the caller's below its setjmp) must hold no
// object with a destructor: keep such state where the jump does not reach.
struct JpegErrorManager {
    jpeg_error_mgr mgr{};
    std::jmp_buf jump{};
    char szMessage[JMSG_LENGTH_MAX] = {};

    static JpegErrorManager& of(j_common_ptr pInfo) {
        return *reinterpret_cast<JpegErrorManager*>(pInfo->err);
    }

    static void exitWithMessage(j_common_ptr pInfo) {
        JpegErrorManager& errors = of(pInfo);
        pInfo->err->format_message(pInfo, errors.szMessage);
        std::longjmp(errors.jump, 1);
    }

    // The error manager to store in a (de)compressor's err field.
    jpeg_error_mgr* install() {
        jpeg_std_error(&mgr);
        mgr.error_exit = exitWithMessage;
        return &mgr;
    }
};
