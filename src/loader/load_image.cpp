#include "loader/load_image.h"

#include <algorithm>
#include <exception>
#include <mutex>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

#include "common/file_util.h"
#include "common/format_error.h"
#include "gif/gif_picture.h"
#include "image/bitmap_orientation.h"
#include "image/bmp_reader.h"
#include "image/ico_reader.h"
#include "image/jpeg_reader.h"
#include "image/png_reader.h"
#include "loader/image_kind.h"
#include "metafile/emf_reader.h"
#include "metafile/wmf_reader.h"

namespace sf {

namespace {

using PictureDecoder = Bitmap (*)(std::span<const std::uint8_t>);

struct KindDecoder {
  PictureKind kind;
  const char* kind_name;
  PictureDecoder decode;
};

// Icons become 8-bit pictures of the icon's size in the halftone palette.
Bitmap DecodeIconPicture(std::span<const std::uint8_t> bytes) {
  const Bitmap icon = ReadIco(bytes);
  Bitmap picture(icon.Width(), icon.Height(), PixelFormat::kBits8);
  picture.Draw(icon, 0, 0);
  return picture;
}

// One row per kind: its name in the image information and its decoder.
constexpr KindDecoder kDecoders[] = {
    {PictureKind::kIcon, "Icon (.ico)", &DecodeIconPicture},
    {PictureKind::kWmf, "Windows Meta file (.wmf)", &RenderWmf},
    {PictureKind::kEmf, "Enhanced Meta file (.emf)", &RenderEmf},
    {PictureKind::kJpeg, "JPEG", &DecodeJpeg},
    {PictureKind::kGif, "GIF", &LoadGifPicture},
    {PictureKind::kBmp, "Bitmap", &ReadBmp},
    {PictureKind::kPng, "PNG", &DecodePng},
};

const KindDecoder& DecoderFor(PictureKind kind) {
  for (const KindDecoder& decoder : kDecoders) {
    if (decoder.kind == kind) return decoder;
  }
  throw std::logic_error("no decoder for a picture kind");
}

Bitmap Decode(const KindDecoder& decoder, std::span<const std::uint8_t> bytes, const LoadOptions& options) {
  Bitmap picture = decoder.decode(bytes);
  // Cameras store the sensor's rows as they came and record the turn that
  // shows the photo upright.
  if (options.upright && decoder.kind == PictureKind::kJpeg) {
    picture = OrientBitmap(std::move(picture), ReadExifOrientation(bytes));
  }
  return picture;
}

// Pictures may be loaded on several threads at once (the converter's workers).
std::mutex& LastKindMutex() {
  static std::mutex mutex;
  return mutex;
}

std::string& LastKindName() {
  static std::string name;
  return name;
}

}  // namespace

Bitmap ReadPicture(const std::string& path, std::string* kind_name, const LoadOptions& options) {
  return DecodePicture(ReadWholeFile(path), path, kind_name, options);
}

Bitmap DecodePicture(std::span<const std::uint8_t> all, const std::string& name, std::string* kind_name,
                     const LoadOptions& options) {
  const std::string lower = ToLowerAscii(name);
  PictureKind kind = KindFromName(lower);
  if (const auto by_content = KindFromContent(all.first(std::min(all.size(), kSignatureBytes)))) kind = *by_content;

  if (kind == PictureKind::kOther) {
    // The general reader, which goes by the extension alone.
    const PictureKind by_extension = KindFromExtension(lower);
    if (by_extension == PictureKind::kOther) {
      throw FormatError("Unknown picture file extension (" + LowerExtension(lower) + ")");
    }
    Bitmap picture = Decode(DecoderFor(by_extension), all, options);
    if (kind_name != nullptr) *kind_name = "Unknown";
    return picture;
  }
  const KindDecoder& decoder = DecoderFor(kind);
  Bitmap picture = Decode(decoder, all, options);
  if (kind_name != nullptr) *kind_name = decoder.kind_name;
  return picture;
}

void LoadImage(Bitmap& holder, const std::string& path, Reporter& reporter, const LoadOptions& options) {
  holder = Bitmap();
  const std::string lower = ToLowerAscii(path);
  if (!FileExists(path)) {
    reporter.Error("Error loading image file '" + lower + "'\n\nThis file path does not exist.\n\nLoadImage()");
    return;
  }
  try {
    std::string kind_name;
    holder = ReadPicture(path, &kind_name, options);
    const std::lock_guard lock(LastKindMutex());
    LastKindName() = kind_name;
  } catch (const std::exception& failure) {
    holder = Bitmap();
    reporter.Error(failure.what());
    reporter.Error("Error loading image file '" + lower + "'\n\nLoadImage()");
  }
}

const std::string& LastLoadedKindName() { return LastKindName(); }

}  // namespace sf
