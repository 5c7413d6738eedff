#include "image/jpeg_error.h"

#include <cstring>

#include <jerror.h>

namespace sf {

namespace {

JpegErrorManager& ManagerOf(j_common_ptr cinfo) { return *reinterpret_cast<JpegErrorManager*>(cinfo->err); }

[[noreturn]] void JumpOnError(j_common_ptr cinfo) {
  JpegErrorManager& manager = ManagerOf(cinfo);
  if (manager.reached_end) {
    std::strcpy(manager.message, "JPEG file is cut short");
  } else {
    (*cinfo->err->format_message)(cinfo, manager.message);
  }
  std::longjmp(manager.jump, 1);
}

// Warnings are counted, never printed.
void NoteWarning(j_common_ptr cinfo, int level) {
  if (level >= 0) return;
  ++cinfo->err->num_warnings;
  if (cinfo->err->msg_code == JWRN_JPEG_EOF) ManagerOf(cinfo).reached_end = true;
}

}  // namespace

jpeg_error_mgr* InstallJpegErrors(JpegErrorManager& manager) {
  jpeg_error_mgr* base = jpeg_std_error(&manager.base);
  base->error_exit = &JumpOnError;
  base->emit_message = &NoteWarning;
  manager.message[0] = '\0';
  manager.reached_end = false;
  return base;
}

void FailJpeg(j_common_ptr cinfo, const char* message) {
  JpegErrorManager& manager = ManagerOf(cinfo);
  std::strncpy(manager.message, message, sizeof manager.message - 1);
  manager.message[sizeof manager.message - 1] = '\0';
  std::longjmp(manager.jump, 1);
}

}  // namespace sf
