#include "compile/compile_settings.h"

#include <exception>

#include "common/file_util.h"
#include "common/progress_observer.h"
#include "common/reporter.h"

namespace sf {

namespace {

constexpr MediaTypePreset kMediaTypes[] = {
    {"Custom", 0.0, 0, 0},
    {"VCD NTSC 352 x 240", 29.97, 352, 240},
    {"VCD PAL 352 x 240", 25.0, 352, 240},  // 352 x 240, as its text says
    {"SVCD NTSC 480x480", 29.97, 480, 480},
    {"SVCD PAL 480 x 576", 25.0, 480, 576},
    {"DVD NTSC 720 x 480", 29.97, 720, 480},
    {"DVD PAL 720 x 576", 25.0, 720, 576},
    {"HD Low 720p60", 60.0, 1280, 720},
    {"HD High 1080i50", 25.0, 1920, 1080},
};

constexpr const char* kPixelFormatItems[] = {"8 bit (256 Colors)", "24 bit (16,777,216 Colors)"};
constexpr const char* kResizeItems[] = {"Standard (Fast)", "Smooth (Slower)"};
constexpr const char* kGifTransparencyItems[] = {"None", "Top left pixel", "Bottom left pixel"};
constexpr const char* kGifDisposalItems[] = {"Draw each frame new", "Draw on top of previous"};

}  // namespace

Bitmap BlackStartPicture() {
  Bitmap picture(5, 5);
  picture.Fill(Rgb{0, 0, 0});
  return picture;
}

std::string DefaultOutputPath(std::string_view documents_folder) {
  if (documents_folder.empty()) return "/output.avi";
  return std::string(documents_folder) + "output.avi";
}

bool IsAviOutput(std::string_view output_path) {
  const std::string lower = ToLowerAscii(output_path);
  return lower.ends_with("avi");
}

CompileOutputKind OutputKindOf(std::string_view output_path) {
  const std::string lower = ToLowerAscii(output_path);
  if (lower.ends_with(".mp4")) return CompileOutputKind::kMp4;
  if (lower.ends_with(".webm")) return CompileOutputKind::kWebm;
  return IsAviOutput(output_path) ? CompileOutputKind::kAvi : CompileOutputKind::kGif;
}

std::span<const MediaTypePreset> MediaTypePresets() { return kMediaTypes; }
std::span<const char* const> PixelFormatItems() { return kPixelFormatItems; }
std::span<const char* const> ResizeItems() { return kResizeItems; }
std::span<const char* const> GifTransparencyItems() { return kGifTransparencyItems; }
std::span<const char* const> GifDisposalItems() { return kGifDisposalItems; }

PixelFormat PixelFormatForIndex(int index) { return index == 0 ? PixelFormat::kBits8 : PixelFormat::kBits24; }

OutputChoice ChooseOutputFile(std::string_view chosen_name, OutputFileType type) {
  OutputChoice choice{std::string(chosen_name), std::nullopt};
  // Only a dot in the file name itself starts an extension: a dot in a folder
  // name must not make the replacement cut the path short.
  const std::size_t name_start = choice.path.rfind('/') == std::string::npos ? 0 : choice.path.rfind('/') + 1;
  const std::size_t dot = choice.path.rfind('.');
  if (dot == std::string::npos || dot < name_start) return choice;
  constexpr const char* kExtensions[] = {".avi", ".gif", ".mp4", ".webm"};
  const char* wanted = kExtensions[static_cast<int>(type) - 1];
  if (ToLowerAscii(std::string_view(choice.path).substr(dot)) != wanted) choice.path = choice.path.substr(0, dot) + wanted;
  choice.kind = type;
  return choice;
}

bool ApplyBackgroundPicture(const std::string& path, CompileSettings& settings, const PictureLoader& load,
                            Reporter& reporter, ProgressObserver& progress) {
  try {
    if (FileExists(path)) {
      settings.background_picture = load(path);
      settings.background_path = path;
      progress.Message("Background picture loaded.", true);
    } else {
      reporter.Message("Background picture not found:\n" + path + "\nBackground file path has been removed from project.");
      settings.background_path.clear();
      progress.Message("Background picture not found.", true);
    }
    return true;
  } catch (const std::exception& failure) {
    reporter.Error(failure.what());
    reporter.Error("Error loading background picture.");
    progress.Message("Error loading background picture.", true);
    return false;
  }
}

}  // namespace sf
