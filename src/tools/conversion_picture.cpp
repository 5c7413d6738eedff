#include "tools/conversion_picture.h"

#include <exception>
#include <sstream>

#include "common/file_util.h"
#include "effects/apply_list_of_effects.h"
#include "effects/noise_random.h"
#include "gif/gif_image.h"
#include "image/bmp_writer.h"
#include "image/jpeg_writer.h"
#include "loader/load_image.h"
#include "tools/conversion_resize.h"

namespace sf {

OutputKind OutputKindOf(const std::string& extension) {
  const std::string lower = ToLowerAscii(extension);
  if (lower == ".jpg" || lower == ".jpeg") return OutputKind::kJpeg;
  if (lower == ".gif") return OutputKind::kGif;
  return OutputKind::kBmp;
}

Bitmap OutputBitmap(const Bitmap& picture, int depth_index) {
  if (depth_index == kDepthSameAsInput) return picture;
  const PixelFormat format = depth_index == kDepth4Bits   ? PixelFormat::kBits4
                             : depth_index == kDepth8Bits ? PixelFormat::kBits8
                                                          : PixelFormat::kBits24;
  Bitmap output(picture.Width(), picture.Height());
  output.SetPixelFormat(format);
  output.Draw(picture, 0, 0);
  return output;
}

std::vector<std::uint8_t> EncodeOutput(const Bitmap& output, OutputKind kind, int jpeg_quality) {
  switch (kind) {
    case OutputKind::kJpeg: return EncodeJpeg(output, jpeg_quality);
    case OutputKind::kGif: {
      TGIFImage image;
      image.Assign(output);
      std::ostringstream out;
      image.SaveToStream(out);
      const std::string bytes = std::move(out).str();
      return {bytes.begin(), bytes.end()};
    }
    case OutputKind::kBmp: break;
  }
  return EncodeBmp(output);
}

namespace {

// Applies the row's effects; false when they reported a failure.
bool ApplyEffects(Bitmap& picture, const std::string& effects, ConvertedPicture& done,
                  const std::function<std::uint64_t()>& noise_start, ProgressObserver* observer) {
  if (effects.empty()) return true;
  done.noise_before = noise_start();
  SetNoiseRandomState(done.noise_before);
  const std::size_t before = done.reports.Count();
  ApplyListOfEffects(picture, effects, done.reports, observer);
  done.noise_after = NoiseRandomState();
  return done.reports.Count() == before;
}

}  // namespace

ConvertedPicture ConvertPicture(const std::string& path, const std::string& effects, OutputKind kind,
                                const PictureRecipe& recipe, const std::function<std::uint64_t()>& noise_start,
                                ProgressObserver* observer) {
  ConvertedPicture done;
  done.kind = kind;
  Bitmap picture;
  LoadImage(picture, path, done.reports, {.upright = recipe.upright});
  // A file that went missing or would not load has been reported by the
  // loader; an empty picture could only fail every later step.
  if (picture.Empty()) return done;

  bool effects_ok = true;
  if (recipe.effects_before_resize) effects_ok = ApplyEffects(picture, effects, done, noise_start, observer);
  if (recipe.resize &&
      !ResizeForConversion(picture, recipe.width, recipe.height, recipe.aspect, recipe.method)) {
    done.outcome = ConvertedPicture::Outcome::kResizeFailed;
    return done;
  }
  if (!recipe.effects_before_resize) effects_ok = ApplyEffects(picture, effects, done, noise_start, observer);
  if (!effects_ok) {
    done.outcome = ConvertedPicture::Outcome::kEffectsFailed;
    return done;
  }

  done.output = OutputBitmap(picture, recipe.depth_index);
  done.outcome = ConvertedPicture::Outcome::kReady;
  try {
    done.encoded = EncodeOutput(done.output, kind, recipe.jpeg_quality);
  } catch (const std::exception& failure) {
    done.encode_failure = failure.what();
  }
  return done;
}

}  // namespace sf
