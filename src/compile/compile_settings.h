// The values a compile reads when it starts, with their start values; the
// media-type presets and list item texts of the settings controls; the output
// kind (AVI or animated GIF) and the output-file and background-picture choices.
//   CompileSettings settings;                 // the start values
//   if (IsAviOutput(settings.output_path)) ...
#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "gif/gif_palette_mapping.h"
#include "image/bitmap.h"
#include "image/fitting.h"
#include "video/video_encoding.h"

namespace sf {

class ProgressObserver;
class Reporter;

inline constexpr double kDefaultFramesPerSecond = 29.97;
inline constexpr int kDefaultMediaType = 5;  // "DVD NTSC 720 x 480"
inline constexpr int kMaxBorderPercent = 99;
inline constexpr char kNoAudioPath[] = "(none)";
// Measured on camera photos, each picture's own colours without dithering give
// the smallest files at the highest PSNR; error diffusion is there for
// smoother gradients at some 20% more bytes.
inline constexpr GifDither kDefaultGifDither = GifDither::kNone;
inline constexpr double kDefaultTransitionSeconds = 1.0;
inline constexpr double kMaxTransitionSeconds = 60.0;

// The sound track the list validation checks: the audio path field, or nothing
// when it says "(none)".
inline std::string SoundTrackToCheck(const std::string& audio_path_field) {
  return audio_path_field == kNoAudioPath ? std::string() : audio_path_field;
}

// The 5 x 5 black picture held as the background until one is chosen.
Bitmap BlackStartPicture();

struct CompileSettings {
  double frames_per_second = kDefaultFramesPerSecond;
  int frame_width = 720;
  int frame_height = 480;
  double repeat_value = 1.0;                      // frames per picture
  double repeat_seconds = 1.0 / kDefaultFramesPerSecond;
  int media_type = kDefaultMediaType;
  bool maintain_aspect = true;
  bool zoom_in = true;
  int border_size_width = 0;                      // percent of the frame width
  int border_size_height = 0;                     // percent of the frame height
  PixelFormat pixel_format = PixelFormat::kBits24;
  ResizeMethod resize_method = ResizeMethod::kStandard;
  Bitmap background_picture = BlackStartPicture();
  std::string background_path;                    // empty while the black picture is held
  bool include_audio = false;
  std::string audio_path = kNoAudioPath;
  std::string output_path;
  bool open_file_when_finished = false;
  int gif_loops = 0;                              // 0 loops for ever
  int gif_transparency = 0;                       // index into GifTransparencyItems()
  int gif_disposal = 0;                           // index into GifDisposalItems()
  // The optimised GIF: repeated frames merged, changed rectangles, colours
  // from each picture's own statistics. Off: the classic GIF, byte for byte.
  bool gif_optimise = false;
  GifDither gif_dither = kDefaultGifDither;
  // JPEG photos turned as their EXIF orientation says; on for a new list.
  bool upright = true;
  VideoEncoding video_encoding;                   // MP4 and WebM outputs
  // The rows' transition cells drawn in the video, each over the last
  // transition_seconds of the previous picture. Off: no compile reads them.
  bool show_transitions = false;
  double transition_seconds = kDefaultTransitionSeconds;
};

// The documents folder (with its trailing "/") followed by "output.avi"; the
// root folder when no documents folder was found.
std::string DefaultOutputPath(std::string_view documents_folder);

// AVI when the lower-cased path ends in "avi", animated GIF otherwise.
bool IsAviOutput(std::string_view output_path);

// What a compile writes: an MP4 or WebM video for a name ending in ".mp4" or
// ".webm" (any case), else AVI or animated GIF as IsAviOutput says.
enum class CompileOutputKind { kAvi, kGif, kMp4, kWebm };
CompileOutputKind OutputKindOf(std::string_view output_path);
// Every kind but the animated GIF carries the sound track.
inline bool OutputHasSound(std::string_view output_path) { return OutputKindOf(output_path) != CompileOutputKind::kGif; }

struct MediaTypePreset {
  const char* text;
  double frames_per_second;  // 0 for "Custom", which sets nothing
  int width;
  int height;
};
// The nine items of the media-type list, "Custom" first.
std::span<const MediaTypePreset> MediaTypePresets();

// Item texts of the pixel-format, resize, GIF transparency and draw-method lists.
std::span<const char* const> PixelFormatItems();
std::span<const char* const> ResizeItems();
std::span<const char* const> GifTransparencyItems();
std::span<const char* const> GifDisposalItems();
// 8 bits for index 0, 24 bits for any other.
PixelFormat PixelFormatForIndex(int index);

// The two file types of the output save dialog, in filter order.
enum class OutputFileType { kAvi = 1, kGif = 2, kMp4 = 3, kWebm = 4 };
struct OutputChoice {
  std::string path;
  // The kind the output controls switch to; nullopt when the name has no
  // extension and the controls stay as they were.
  std::optional<OutputFileType> kind;
};
// The name chosen in the output dialog with the file type chosen there: a wrong
// extension is replaced by the type's (".avi", ".gif", ".mp4" or ".webm").
OutputChoice ChooseOutputFile(std::string_view chosen_name, OutputFileType type);

// Loads the background picture chosen in its dialog into settings, or reports it
// missing (the held picture stays and the path is cleared). Returns false after an
// unexpected failure, which is reported; the caller then neither refreshes the
// preview nor sets the modified flag.
using PictureLoader = std::function<Bitmap(const std::string& path)>;
bool ApplyBackgroundPicture(const std::string& path, CompileSettings& settings, const PictureLoader& load,
                            Reporter& reporter, ProgressObserver& progress);

}  // namespace sf
