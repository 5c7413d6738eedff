// One picture of a conversion run, from its file to the bytes of its output:
// load, the effect list before or after the optional resize, the output depth
// and a first encoding. It touches no output file, so pictures can be converted
// side by side while the run writes them in list order.
//   const ConvertedPicture done = ConvertPicture(path, effects, recipe, noise_start, nullptr);
//   if (done.outcome == ConvertedPicture::Outcome::kReady) WriteWholeFile(name, done.encoded);
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/progress_observer.h"
#include "image/bitmap.h"
#include "image/fitting.h"
#include "common/deferred_reporter.h"

namespace sf {

enum class OutputKind { kBmp, kJpeg, kGif };

// By the lower-case extension: ".jpg" and ".jpeg" JPEG, ".gif" GIF, else BMP.
OutputKind OutputKindOf(const std::string& extension);

// In the order of the window's pixel-format box; 3 keeps the picture's depth.
inline constexpr int kDepth4Bits = 0;
inline constexpr int kDepth8Bits = 1;
inline constexpr int kDepth24Bits = 2;
inline constexpr int kDepthSameAsInput = 3;

// The picture at the chosen depth: 4 bits in the 16 VGA colours, 8 bits in the
// halftone palette, 24 bits, or an unchanged copy. Colours go to the nearest
// palette entry, without dithering.
Bitmap OutputBitmap(const Bitmap& picture, int depth_index);

// The file's bytes for the kind; JPEG at the quality in percent. Throws with
// the encoder's own message.
std::vector<std::uint8_t> EncodeOutput(const Bitmap& output, OutputKind kind, int jpeg_quality);

struct PictureRecipe {
  bool resize = false;
  int width = 720;
  int height = 480;
  int aspect = 0;
  ResizeMethod method = ResizeMethod::kStandard;
  bool effects_before_resize = false;
  int depth_index = kDepthSameAsInput;
  int jpeg_quality = 100;
  bool upright = true;   // JPEG photos turned by their EXIF orientation before anything else
};

struct ConvertedPicture {
  enum class Outcome { kLoadFailed, kResizeFailed, kEffectsFailed, kReady };
  Outcome outcome = Outcome::kLoadFailed;
  // The loader's and the effects' own messages, in the order they came.
  DeferredReporter reports;
  Bitmap output;
  OutputKind kind = OutputKind::kBmp;
  // The first encoding; when it failed, its message instead.
  std::optional<std::vector<std::uint8_t>> encoded;
  std::string encode_failure;
  // The noise generator's state before and after the effects (equal when the
  // effects drew nothing or did not run).
  std::uint64_t noise_before = 0;
  std::uint64_t noise_after = 0;
  bool DrewNoise() const { return noise_before != noise_after; }
};

// noise_start gives the generator's state just before the effects run; it is
// asked only when the row has effects. The observer (may be null) gets the
// effects' pending-event calls.
ConvertedPicture ConvertPicture(const std::string& path, const std::string& effects, OutputKind kind,
                                const PictureRecipe& recipe, const std::function<std::uint64_t()>& noise_start,
                                ProgressObserver* observer);

}  // namespace sf
