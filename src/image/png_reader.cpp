#include "image/png_reader.h"

#include <png.h>

#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "common/format_error.h"
#include "image/picture_limits.h"

namespace sf {

namespace {

constexpr png_uint_32 kMaxSide = 1u << 17;
constexpr png_alloc_size_t kMaxChunkBytes = 8u << 20;

// Owns libpng's state. The functions that call setjmp hold no objects with
// destructors, so libpng's longjmp skips nothing; this one is cleaned up by
// the caller.
struct PngContext {
  png_structp png = nullptr;
  png_infop info = nullptr;
  std::span<const std::uint8_t> bytes;
  std::size_t pos = 0;
  char message[256] = "";

  PngContext() = default;
  PngContext(const PngContext&) = delete;
  PngContext& operator=(const PngContext&) = delete;
  ~PngContext() {
    if (png != nullptr) png_destroy_read_struct(&png, info != nullptr ? &info : nullptr, nullptr);
  }
};

void ReadData(png_structp png, png_bytep out, std::size_t n) {
  auto* ctx = static_cast<PngContext*>(png_get_io_ptr(png));
  if (n > ctx->bytes.size() - ctx->pos) png_error(png, "the file is cut short");
  std::memcpy(out, ctx->bytes.data() + ctx->pos, n);
  ctx->pos += n;
}

void OnError(png_structp png, png_const_charp message) {
  auto* ctx = static_cast<PngContext*>(png_get_error_ptr(png));
  std::strncpy(ctx->message, message, sizeof ctx->message - 1);
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

// Reads up to the image data and asks libpng for blue-green-red-alpha rows of
// 8-bit samples whatever the stored colour type.
bool ReadInfo(PngContext& ctx) {
  if (setjmp(png_jmpbuf(ctx.png))) return false;
  png_set_read_fn(ctx.png, &ctx, &ReadData);
  png_set_user_limits(ctx.png, kMaxSide, kMaxSide);
  png_set_chunk_malloc_max(ctx.png, kMaxChunkBytes);
  png_read_info(ctx.png, ctx.info);
  const int color_type = png_get_color_type(ctx.png, ctx.info);
  png_set_expand(ctx.png);  // palette to RGB, grey below 8 bits to 8, tRNS to alpha
  if (png_get_bit_depth(ctx.png, ctx.info) == 16) png_set_scale_16(ctx.png);
  if ((color_type & PNG_COLOR_MASK_COLOR) == 0) png_set_gray_to_rgb(ctx.png);
  png_set_bgr(ctx.png);
  png_set_add_alpha(ctx.png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(ctx.png);
  png_read_update_info(ctx.png, ctx.info);
  return true;
}

bool ReadRows(PngContext& ctx, png_bytepp rows) {
  if (setjmp(png_jmpbuf(ctx.png))) return false;
  png_read_image(ctx.png, rows);
  return true;
}

[[noreturn]] void Fail(const PngContext& ctx) {
  throw FormatError(std::string("PNG file cannot be read: ") + ctx.message);
}

}  // namespace

bool HasPngSignature(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 8 && png_sig_cmp(bytes.data(), 0, 8) == 0;
}

Bitmap DecodePng(std::span<const std::uint8_t> bytes) {
  if (!HasPngSignature(bytes)) throw FormatError("Not a PNG file");
  PngContext ctx;
  ctx.bytes = bytes;
  ctx.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &ctx, &OnError, &OnWarning);
  if (ctx.png == nullptr) throw std::bad_alloc();
  ctx.info = png_create_info_struct(ctx.png);
  if (ctx.info == nullptr) throw std::bad_alloc();
  if (!ReadInfo(ctx)) Fail(ctx);

  const std::uint64_t width = png_get_image_width(ctx.png, ctx.info);
  const std::uint64_t height = png_get_image_height(ctx.png, ctx.info);
  CheckPictureSize("PNG", width, height);
  if (png_get_rowbytes(ctx.png, ctx.info) != 4 * width) throw FormatError("PNG pixel layout is not supported");
  std::vector<std::uint8_t> bgra(4 * width * height);
  std::vector<png_bytep> rows(height);
  for (std::size_t y = 0; y < height; ++y) rows[y] = bgra.data() + 4 * width * y;
  if (!ReadRows(ctx, rows.data())) Fail(ctx);

  Bitmap picture(static_cast<int>(width), static_cast<int>(height));
  for (std::size_t y = 0; y < height; ++y) {
    const std::uint8_t* in = rows[y];
    auto out = picture.Row(static_cast<int>(y));
    for (std::size_t x = 0; x < width; ++x) {
      const unsigned alpha = in[4 * x + 3];
      for (std::size_t c = 0; c < 3; ++c) {
        out[3 * x + c] = static_cast<std::uint8_t>((in[4 * x + c] * alpha + 255 * (255 - alpha) + 127) / 255);
      }
    }
  }
  return picture;
}

}  // namespace sf
