#include "image/jpeg_reader.h"

#include <string>
#include <vector>

#include "common/format_error.h"
#include "image/jpeg_error.h"
#include "image/picture_limits.h"

namespace sf {

namespace {

// The largest picture we allocate for (about 16384 x 16384).
// Progressive files with thousands of tiny scans take minutes to decode.
constexpr int kMaxScans = 1000;

// Owns libjpeg's state. The functions that call setjmp hold no objects with
// destructors, so a jump out of libjpeg skips nothing; this one is cleaned up
// by the caller.
struct DecodeContext {
  jpeg_decompress_struct cinfo{};
  JpegErrorManager errors{};
  jpeg_progress_mgr progress{};
  bool created = false;

  DecodeContext() = default;
  DecodeContext(const DecodeContext&) = delete;
  DecodeContext& operator=(const DecodeContext&) = delete;
  ~DecodeContext() {
    if (created) jpeg_destroy_decompress(&cinfo);
  }
};

void LimitScans(j_common_ptr cinfo) {
  const auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->input_scan_number > kMaxScans) FailJpeg(cinfo, "JPEG file has too many scans");
}

bool IsFourComponent(J_COLOR_SPACE space) { return space == JCS_CMYK || space == JCS_YCCK; }

bool ReadHeader(DecodeContext& ctx, std::span<const std::uint8_t> bytes) {
  if (setjmp(ctx.errors.jump)) return false;
  ctx.cinfo.err = InstallJpegErrors(ctx.errors);
  jpeg_create_decompress(&ctx.cinfo);
  ctx.created = true;
  ctx.progress.progress_monitor = &LimitScans;
  ctx.cinfo.progress = &ctx.progress;
  jpeg_mem_src(&ctx.cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&ctx.cinfo, TRUE);
  // libjpeg converts YCCK to CMYK but not on to RGB; we do that last step.
  ctx.cinfo.out_color_space = IsFourComponent(ctx.cinfo.jpeg_color_space) ? JCS_CMYK : JCS_EXT_BGR;
  jpeg_calc_output_dimensions(&ctx.cinfo);
  return true;
}

// Adobe writes CMYK inverted (0 = full ink); other writers store it plainly.
void CmykToBgr(const std::uint8_t* cmyk, std::uint8_t* bgr, JDIMENSION width, bool inverted) {
  for (JDIMENSION x = 0; x < width; ++x) {
    const std::uint8_t* p = cmyk + 4 * static_cast<std::size_t>(x);
    const unsigned k = inverted ? p[3] : 255u - p[3];
    for (int c = 0; c < 3; ++c) {
      const unsigned ink = inverted ? p[c] : 255u - p[c];
      bgr[3 * static_cast<std::size_t>(x) + 2 - c] = static_cast<std::uint8_t>((ink * k + 127) / 255);
    }
  }
}

bool ReadPixels(DecodeContext& ctx, Bitmap& picture, std::uint8_t* cmyk_row) {
  if (setjmp(ctx.errors.jump)) return false;
  jpeg_start_decompress(&ctx.cinfo);
  while (ctx.cinfo.output_scanline < ctx.cinfo.output_height) {
    std::uint8_t* out = picture.Row(static_cast<int>(ctx.cinfo.output_scanline)).data();
    JSAMPROW row = cmyk_row != nullptr ? cmyk_row : out;
    if (jpeg_read_scanlines(&ctx.cinfo, &row, 1) != 1) break;
    if (cmyk_row != nullptr) CmykToBgr(cmyk_row, out, ctx.cinfo.output_width, ctx.cinfo.saw_Adobe_marker);
  }
  return true;
}

}  // namespace

Bitmap DecodeJpeg(std::span<const std::uint8_t> bytes) {
  DecodeContext ctx;
  if (!ReadHeader(ctx, bytes)) throw FormatError(ctx.errors.message);
  const std::uint64_t width = ctx.cinfo.output_width;
  const std::uint64_t height = ctx.cinfo.output_height;
  CheckPictureSize("JPEG", width, height);
  Bitmap picture(static_cast<int>(width), static_cast<int>(height));
  std::vector<std::uint8_t> cmyk_row;
  if (ctx.cinfo.out_color_space == JCS_CMYK) cmyk_row.resize(4 * width);
  if (!ReadPixels(ctx, picture, cmyk_row.empty() ? nullptr : cmyk_row.data())) throw FormatError(ctx.errors.message);
  return picture;
}

}  // namespace sf
