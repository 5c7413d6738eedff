// The libjpeg error manager shared by the JPEG reader and writer: an error jumps
// back to the caller's setjmp point instead of ending the program, keeping
// libjpeg's message; warnings (a truncated file, stray bytes) stay silent, and
// an error after the data ran out says that the file is cut short.
//   JpegErrorManager errors;
//   cinfo.err = InstallJpegErrors(errors);
//   if (setjmp(errors.jump)) return false;   // errors.message says why
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

namespace sf {

struct JpegErrorManager {
  jpeg_error_mgr base;  // first, so that libjpeg's pointer is also ours
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
  // Set when the data ran out and libjpeg went on with a made-up end marker.
  bool reached_end;
};

jpeg_error_mgr* InstallJpegErrors(JpegErrorManager& manager);

// Jumps to manager.jump with a message of our own.
[[noreturn]] void FailJpeg(j_common_ptr cinfo, const char* message);

}  // namespace sf
