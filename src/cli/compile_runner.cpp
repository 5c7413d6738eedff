#include "cli/compile_runner.h"

#include <filesystem>
#include <iostream>

#include "cli/command_line.h"
#include "common/desktop.h"
#include "compile/compile_engine.h"
#include "loader/load_image.h"

namespace sf::cli {

namespace {

// The current folder with its trailing "/", where the program keeps its logs.
std::string ProgramFolder() {
  std::string folder = std::filesystem::current_path().string();
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

// --quality and --preset for an MP4 or WebM output, over the project's encoding.
VideoEncoding ParseEncoding(const ParsedArgs& parsed, VideoEncoding encoding) {
  if (parsed.Has("--codec")) throw UsageError("--codec applies to AVI output only");
  if (const auto quality = parsed.Value("--quality")) {
    encoding.quality = static_cast<int>(ParseIntOption(*quality, "--quality", kMinVideoQuality, kMaxVideoQuality));
  }
  if (const auto preset = parsed.Value("--preset")) {
    const std::optional<int> index = VideoPresetIndex(*preset);
    if (!index) {
      throw UsageError("--preset must be ultrafast, superfast, veryfast, faster, fast, medium, slow, slower or "
                       "veryslow, not \"" + *preset + "\"");
    }
    encoding.preset = *index;
  }
  return encoding;
}

std::optional<Compression> ParseCompression(const ParsedArgs& parsed) {
  if (parsed.Has("--preset")) throw UsageError("--preset applies to MP4 and WebM output only");
  const std::string codec = parsed.Value("--codec").value_or("dib");
  Compression compression;
  if (const auto quality = parsed.Value("--quality")) {
    compression.quality = static_cast<int>(ParseIntOption(*quality, "--quality", 1, 100));
  }
  if (codec == "dib") {
    if (parsed.Has("--quality")) throw UsageError("--quality applies to --codec mjpeg only");
    return std::nullopt;
  }
  if (codec != "mjpeg") throw UsageError("--codec must be dib or mjpeg, not \"" + codec + "\"");
  compression.codec = Codec::kMotionJpeg;
  return compression;
}

}  // namespace

std::optional<Compression> ParseOutputOptions(const ParsedArgs& parsed, CompileSettings& settings) {
  const CompileOutputKind kind = OutputKindOf(settings.output_path);
  if (kind == CompileOutputKind::kMp4 || kind == CompileOutputKind::kWebm) {
    settings.video_encoding = ParseEncoding(parsed, settings.video_encoding);
    return std::nullopt;
  }
  return ParseCompression(parsed);
}

void BarReporter::Message(const std::string& text) {
  m_bar.EndLine();
  m_inner.Message(text);
}

bool BarReporter::Confirm(const std::string& text) {
  m_bar.EndLine();
  return m_inner.Confirm(text);
}

void BarReporter::Error(const std::string& text) {
  m_bar.EndLine();
  m_inner.Error(text);
}

int CompileAndReport(ImageList& list, CompileSettings& settings, const std::string& project_path,
                     const std::optional<Compression>& compression, Reporter& reporter, TerminalProgress& progress) {
  if (!settings.background_path.empty()) {
    // A picture that cannot be read fails the background step (its own message,
    // then "Error loading background picture."), as in the window.
    const PictureLoader load = [](const std::string& path) { return ReadPicture(path, nullptr); };
    if (!ApplyBackgroundPicture(settings.background_path, settings, load, reporter, progress)) return 1;
  }
  NoDesktop desktop;
  CompileHost host;
  std::optional<FixedChooser> chooser;
  if (compression) chooser.emplace(*compression);
  const CompileJob job{list, settings, ProgramFolder(), 0, project_path};
  const CompileServices services{reporter, progress, desktop, host, chooser ? &*chooser : nullptr};
  const CompileResult result = CompileImages(job, services);
  progress.EndLine();
  if (result.outcome != CompileOutcome::kCompleted) return 1;
  std::cout << settings.output_path << "\n";
  return 0;
}

}  // namespace sf::cli
