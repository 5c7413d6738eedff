// slideforge make PICTURE|FOLDER... -o OUT [options]: a slide show straight
// from pictures and folders, without a project made in the window first.
#include <iostream>
#include <optional>
#include <tuple>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/compile_runner.h"
#include "common/file_util.h"
#include "compile/compile_settings.h"
#include "project/project_writer.h"
#include "project/slide_show_project.h"

namespace sf::cli {

namespace {

constexpr char kMakeHelp[] =
    "Usage: slideforge make PICTURE|FOLDER... -o OUT [options]\n"
    "\n"
    "Makes a slide show of the pictures, a folder standing for its pictures in\n"
    "natural order (pic9 before pic10), into an MP4 or WebM video, an AVI file or\n"
    "an animated GIF, by the output name's kind as in `slideforge compile`. Each\n"
    "picture shows for the same time; a transition plays over the end of the\n"
    "picture before it, so the show keeps its length. Prints the output path.\n"
    "\n"
    "Options:\n"
    "  -o OUT                  the output file\n"
    "  --size WxH              the frame size (default 1280x720)\n"
    "  --fps F                 frames a second (default 25; 29.97 is 30000/1001)\n"
    "  --seconds S             each picture's time on screen (default 3)\n"
    "  --transition T          none, fade, page-flip-left, page-flip-right,\n"
    "                          page-flip-up or page-flip-down (default fade)\n"
    "  --transition-seconds T  each transition's time (default 0.75)\n"
    "  --motion M              none, zoom-in, zoom-out or pan (left and right by\n"
    "                          turns) (default none)\n"
    "  --audio WAV             a PCM WAV sound track (not for a GIF)\n"
    "  --no-auto-orient        keep JPEG photos as stored (default: turned upright by\n"
    "                          their EXIF orientation)\n"
    "  --codec, --quality, --preset\n"
    "                          the AVI compression or the MP4 and WebM encoding,\n"
    "                          as in `slideforge compile`\n"
    "  --save-project P.sfg    also write the show as a project, which the window\n"
    "                          opens and compiles to the same file\n"
    "  --yes                   answer every question Yes (overwrite existing files)\n"
    "  --help                  show this text\n";

std::optional<Transition> ParseTransition(const std::string& text) {
  if (text == "none") return std::nullopt;
  if (text == "fade") return Transition::kCrossFade;
  if (text == "page-flip-left") return Transition::kPageFlipLeft;
  if (text == "page-flip-right") return Transition::kPageFlipRight;
  if (text == "page-flip-up") return Transition::kPageFlipUp;
  if (text == "page-flip-down") return Transition::kPageFlipDown;
  throw UsageError("--transition must be none, fade, page-flip-left, page-flip-right, page-flip-up or "
                   "page-flip-down, not \"" + text + "\"");
}

SlideShowMotion ParseMotion(const std::string& text) {
  if (text == "none") return SlideShowMotion::kNone;
  if (text == "zoom-in") return SlideShowMotion::kZoomIn;
  if (text == "zoom-out") return SlideShowMotion::kZoomOut;
  if (text == "pan") return SlideShowMotion::kPan;
  throw UsageError("--motion must be none, zoom-in, zoom-out or pan, not \"" + text + "\"");
}

SlideShowRequest ReadRequest(const ParsedArgs& parsed) {
  SlideShowRequest request;
  request.inputs = parsed.positional;
  request.output_path = *parsed.Value("-o");
  if (const auto size = parsed.Value("--size")) std::tie(request.width, request.height) = ParseSize(*size, "--size");
  if (const auto fps = parsed.Value("--fps")) request.frames_per_second = ParseRealOption(*fps, "--fps", 0, 1000);
  if (const auto seconds = parsed.Value("--seconds")) {
    request.seconds = ParseRealOption(*seconds, "--seconds", 0, 86400);
  }
  if (const auto transition = parsed.Value("--transition")) request.transition = ParseTransition(*transition);
  if (const auto seconds = parsed.Value("--transition-seconds")) {
    request.transition_seconds = ParseRealOption(*seconds, "--transition-seconds", 0, kMaxTransitionSeconds);
  }
  if (const auto motion = parsed.Value("--motion")) request.motion = ParseMotion(*motion);
  request.upright = !parsed.Has("--no-auto-orient");
  if (const auto audio = parsed.Value("--audio")) {
    if (!OutputHasSound(request.output_path)) throw UsageError("--audio applies to AVI, MP4 and WebM output only");
    request.audio_path = *audio;
  }
  return request;
}

// The project the show was made from, written whole or not at all.
bool SaveShowProject(const std::string& path, const ProjectRecord& record, Reporter& reporter) {
  if (PathExists(path) && !reporter.Confirm("The project file " + path + " already exists. Replace it?")) {
    reporter.Error("Project NOT saved.");
    return false;
  }
  try {
    WriteFileReplacing(path, FormatProject(record, nullptr));
    return true;
  } catch (const std::exception& failure) {
    reporter.Error(failure.what());
    reporter.Error("Project was not saved. Please make sure the disk is not write protected.");
    return false;
  }
}

}  // namespace

int RunMakeCommand(std::span<const std::string> args) {
  const ParsedArgs parsed = ParseArgs(args, {{"-o", true},
                                             {"--size", true},
                                             {"--fps", true},
                                             {"--seconds", true},
                                             {"--transition", true},
                                             {"--transition-seconds", true},
                                             {"--motion", true},
                                             {"--audio", true},
                                             {"--no-auto-orient", false},
                                             {"--codec", true},
                                             {"--quality", true},
                                             {"--preset", true},
                                             {"--save-project", true},
                                             {"--yes", false}});
  if (parsed.help) {
    std::cout << kMakeHelp;
    return 0;
  }
  if (parsed.positional.empty()) throw UsageError("expected at least one PICTURE or FOLDER");
  if (!parsed.Has("-o")) throw UsageError("expected -o OUT");
  const SlideShowRequest request = ReadRequest(parsed);

  TerminalProgress progress;
  progress.StopOnInterrupt();
  StderrReporter stderr_reporter(parsed.Has("--yes") ? StderrReporter::Answer::kYes
                                                     : StderrReporter::Answer::kAskTerminal);
  BarReporter reporter(stderr_reporter, progress);
  std::optional<ProjectRecord> record = SlideShowProject(request, reporter);
  if (!record) return 1;
  CompileSettings settings = SettingsFromRecord(*record);
  std::optional<Compression> compression = ParseOutputOptions(parsed, settings);
  record->video_encoding = settings.video_encoding;

  const std::string project_path = parsed.Value("--save-project").value_or("");
  if (!project_path.empty() && !SaveShowProject(project_path, *record, reporter)) return 1;
  return CompileAndReport(record->list, settings, project_path, compression, reporter, progress);
}

}  // namespace sf::cli
