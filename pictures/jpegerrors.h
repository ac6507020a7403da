#pragma once

#include <QString>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

// How the program takes libjpeg's errors, reading and writing alike: an error jumps back to
// the setjmp on `jump` with libjpeg's message kept; warnings (stray bytes, a missing end
// marker) are not reported, as Qt's reader does not report them.
struct JpegErrors : jpeg_error_mgr
{
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX] = {};

    JpegErrors()
    {
        jpeg_std_error(this);
        error_exit = [](j_common_ptr info) {
            auto *errors = static_cast<JpegErrors *>(info->err);
            errors->format_message(info, errors->message);
            std::longjmp(errors->jump, 1);
        };
        output_message = [](j_common_ptr) {};
    }
    QString text() const { return QString::fromLocal8Bit(message); }
};
