#pragma once
// libjpeg's errors as a reason: error_exit jumps back to the setjmp of the
// guarded call that was running, and nothing is ever printed.
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace ovek {

struct JPEGError {
    jpeg_error_mgr library;  // first: libjpeg's err pointer is this struct
    std::jmp_buf jump;       // set by the guarded call in progress
    char why[JMSG_LENGTH_MAX];
};

// Installs the handlers on error and returns what cinfo's err should point at.
jpeg_error_mgr* quietJPEGErrors(JPEGError& error);

}  // namespace ovek
