#include "image/jpeg_writer.h"

#include <jerror.h>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string_view>

#include "common/file_util.h"
#include "image/jpeg_error.h"

namespace sf {

namespace {

constexpr std::size_t kFirstBufferSize = 64 * 1024;

// A growing malloc'd buffer: realloc failure becomes a libjpeg error, so no
// C++ exception ever crosses libjpeg's frames.
struct MemoryDestination {
  jpeg_destination_mgr base{};
  unsigned char* data = nullptr;
  std::size_t capacity = 0;
  std::size_t used = 0;
};

MemoryDestination& DestinationOf(j_compress_ptr cinfo) { return *reinterpret_cast<MemoryDestination*>(cinfo->dest); }

void Grow(j_compress_ptr cinfo, std::size_t capacity) {
  MemoryDestination& dest = DestinationOf(cinfo);
  auto* grown = static_cast<unsigned char*>(std::realloc(dest.data, capacity));
  if (grown == nullptr) {
    cinfo->err->msg_code = JERR_OUT_OF_MEMORY;
    (*cinfo->err->error_exit)(reinterpret_cast<j_common_ptr>(cinfo));
  }
  dest.data = grown;
  dest.base.next_output_byte = grown + dest.capacity;
  dest.base.free_in_buffer = capacity - dest.capacity;
  dest.capacity = capacity;
}

void InitDestination(j_compress_ptr cinfo) { Grow(cinfo, kFirstBufferSize); }

boolean EmptyBuffer(j_compress_ptr cinfo) {
  Grow(cinfo, 2 * DestinationOf(cinfo).capacity);
  return TRUE;
}

void TermDestination(j_compress_ptr cinfo) {
  MemoryDestination& dest = DestinationOf(cinfo);
  dest.used = dest.capacity - dest.base.free_in_buffer;
}

struct EncodeContext {
  jpeg_compress_struct cinfo{};
  JpegErrorManager errors{};
  MemoryDestination dest;
  bool created = false;

  EncodeContext() = default;
  EncodeContext(const EncodeContext&) = delete;
  EncodeContext& operator=(const EncodeContext&) = delete;
  ~EncodeContext() {
    if (created) jpeg_destroy_compress(&cinfo);
    std::free(dest.data);
  }
};

// Holds no objects with destructors: an error jumps back here from libjpeg.
bool Encode(EncodeContext& ctx, const Bitmap& bitmap, int quality, std::uint8_t* bgr_row) {
  if (setjmp(ctx.errors.jump)) return false;
  ctx.cinfo.err = InstallJpegErrors(ctx.errors);
  jpeg_create_compress(&ctx.cinfo);
  ctx.created = true;
  ctx.dest.base.init_destination = &InitDestination;
  ctx.dest.base.empty_output_buffer = &EmptyBuffer;
  ctx.dest.base.term_destination = &TermDestination;
  ctx.cinfo.dest = &ctx.dest.base;

  ctx.cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
  ctx.cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
  ctx.cinfo.input_components = 3;
  ctx.cinfo.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&ctx.cinfo);
  jpeg_set_quality(&ctx.cinfo, quality, TRUE);
  jpeg_start_compress(&ctx.cinfo, TRUE);
  while (ctx.cinfo.next_scanline < ctx.cinfo.image_height) {
    const int y = static_cast<int>(ctx.cinfo.next_scanline);
    JSAMPROW row = bgr_row;
    if (bgr_row == nullptr) {
      row = const_cast<std::uint8_t*>(bitmap.Row(y).data());  // libjpeg only reads it
    } else {
      bitmap.ReadRowBgr(y, std::span<std::uint8_t>(bgr_row, 3 * static_cast<std::size_t>(bitmap.Width())));
    }
    jpeg_write_scanlines(&ctx.cinfo, &row, 1);
  }
  jpeg_finish_compress(&ctx.cinfo);
  return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const Bitmap& bitmap, int quality) {
  EncodeContext ctx;
  std::vector<std::uint8_t> bgr_row;
  if (bitmap.Format() != PixelFormat::kBits24) bgr_row.resize(3 * static_cast<std::size_t>(bitmap.Width()));
  if (!Encode(ctx, bitmap, std::clamp(quality, 1, 100), bgr_row.empty() ? nullptr : bgr_row.data())) {
    throw std::runtime_error(ctx.errors.message);
  }
  return std::vector<std::uint8_t>(ctx.dest.data, ctx.dest.data + ctx.dest.used);
}

void WriteJpegFile(const Bitmap& bitmap, const std::string& path, int quality) {
  const std::vector<std::uint8_t> bytes = EncodeJpeg(bitmap, quality);
  WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace sf
