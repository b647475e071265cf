#include "image/jpeg_error.h"

#include <jerror.h>

namespace ovek {

namespace {

[[noreturn]] void onError(j_common_ptr c)
{
    JPEGError* e = reinterpret_cast<JPEGError*>(c->err);
    (*c->err->format_message)(c, e->why);
    std::longjmp(e->jump, 1);
}

// Warnings are corrupt data libjpeg works around, except the end of the file
// coming early: libjpeg would fill the rest with grey, we refuse the file.
void onMessage(j_common_ptr c, int level)
{
    if (level < 0 && c->err->msg_code == JWRN_JPEG_EOF)
        onError(c);
}

void silent(j_common_ptr) {}

}  // namespace

jpeg_error_mgr* quietJPEGErrors(JPEGError& error)
{
    jpeg_std_error(&error.library);
    error.library.error_exit = onError;
    error.library.emit_message = onMessage;
    error.library.output_message = silent;
    error.why[0] = 0;
    return &error.library;
}

}  // namespace ovek
