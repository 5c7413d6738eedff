#include "compile/compile_checks.h"

#include <cmath>
#include <filesystem>
#include <system_error>

#include "compile/compile_settings.h"
#include "compile/timing.h"
#include "list/image_list.h"
#include "list/row_motion.h"
#include "video/frame_rate.h"

namespace sf {

namespace {

bool SameFile(const std::string& output, const std::string& other) {
  if (other.empty()) return false;
  std::error_code error;
  return std::filesystem::equivalent(output, other, error) && !error;
}

std::string WouldWriteOver(const std::string& output, const std::string& what) {
  return "The output file \"" + output + "\" is " + what +
         ". Compiling would write over it; choose another output file.";
}

// Only a file that exists can be lost.
std::optional<std::string> InputRefusal(const CompileJob& job) {
  const std::string& output = job.settings.output_path;
  if (SameFile(output, job.project_path)) return WouldWriteOver(output, "the project file");
  if (SameFile(output, SoundTrackToCheck(job.settings.audio_path))) return WouldWriteOver(output, "the sound track");
  if (SameFile(output, job.settings.background_path)) return WouldWriteOver(output, "the background picture");
  for (int row = 0; row < job.list.RowCount(); ++row) {
    if (SameFile(output, job.list.Path(row))) {
      return WouldWriteOver(output, "the picture in row " + std::to_string(row + 1) + " of the list");
    }
  }
  return std::nullopt;
}

std::optional<std::string> FrameRateRefusal(const CompileSettings& settings) {
  const double rate = settings.frames_per_second;
  if (!(rate > 0.0) || !std::isfinite(rate)) return "Frames per second must be a valid number greater than zero.";
  if (IsAviOutput(settings.output_path) && rate > kMaxAviFramesPerSecond) {
    return "The frame rate is too high for an AVI file, which can play at most 42949 frames per second.";
  }
  return std::nullopt;
}

// yuv420p halves the picture both ways, and a WebM file counts time in
// milliseconds.
std::optional<std::string> VideoRefusal(const CompileSettings& settings) {
  const CompileOutputKind kind = OutputKindOf(settings.output_path);
  if (kind != CompileOutputKind::kMp4 && kind != CompileOutputKind::kWebm) return std::nullopt;
  const std::string name = kind == CompileOutputKind::kMp4 ? "An MP4" : "A WebM";
  if (settings.frame_width % 2 != 0 || settings.frame_height % 2 != 0) {
    return name + " video needs an even frame width and height; " + std::to_string(settings.frame_width) + " x " +
           std::to_string(settings.frame_height) + " cannot be used.";
  }
  if (settings.frames_per_second > kMaxVideoFramesPerSecond) {
    return "The frame rate is too high for " + std::string(kind == CompileOutputKind::kMp4 ? "an MP4" : "a WebM") +
           " video, which can play at most 1000 frames per second.";
  }
  if (VideoFrameRate(settings.frames_per_second).num == 0) {
    return "The frame rate is too low for " + std::string(kind == CompileOutputKind::kMp4 ? "an MP4" : "a WebM") +
           " video, which needs at least 0.001 frames per second.";
  }
  return std::nullopt;
}

// A motion cell that does not read (a hand-edited project) would silently be a
// still picture.
std::optional<std::string> MotionRefusal(const ImageList& list) {
  for (int row = 0; row < list.RowCount(); ++row) {
    if (!ParseRowMotion(list.Motion(row))) {
      return "The motion in row " + std::to_string(row + 1) + " of the list cannot be used: \"" + list.Motion(row) +
             "\" is not Zoom In, Zoom Out, Pan Left, Pan Right or Rect X Y W H > X Y W H.";
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> RefusalBeforeCompile(const CompileJob& job) {
  const std::string& output = job.settings.output_path;
  std::error_code error;
  if (std::filesystem::is_directory(output, error)) {
    return "The output file \"" + output + "\" is a folder. Choose a file name for the output.";
  }
  if (std::filesystem::exists(output, error)) {
    if (auto refusal = InputRefusal(job)) return refusal;
  }
  if (auto refusal = FrameRateRefusal(job.settings)) return refusal;
  if (auto refusal = DisplayTimeRefusal(job.list, job.settings.frames_per_second)) return refusal;
  if (auto refusal = MotionRefusal(job.list)) return refusal;
  return VideoRefusal(job.settings);
}

}  // namespace sf
