// slideforge compile PROJECT.sfg [-o OUT] [--codec dib|mjpeg] [--quality Q] [--preset P]
// [--gif-optimize [--dither none|floyd-steinberg|ordered]] [--yes]: compiles a
// project into an AVI, an MP4 or WebM video or an animated GIF, by the output
// name's kind.
#include <filesystem>
#include <iostream>
#include <optional>

#include "avi/video_compressor.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/compile_runner.h"
#include "cli/stderr_reporter.h"
#include "cli/terminal_progress.h"
#include "common/desktop.h"
#include "compile/compile_engine.h"
#include "loader/load_image.h"
#include "project/project_reader.h"

namespace sf::cli {

namespace {

constexpr char kCompileHelp[] =
    "Usage: slideforge compile PROJECT.sfg [options]\n"
    "\n"
    "Compiles the project's picture list into an MP4 video (H.264 and AAC, an\n"
    "output name ending in \".mp4\"), a WebM video (VP9 and Opus, \".webm\"), an\n"
    "AVI file (a name ending in \"avi\") or an animated GIF (any other name), with\n"
    "the project's settings.\n"
    "Rows whose picture is missing are removed first and listed in deleted.log in\n"
    "the current folder. Prints the output path when the compile succeeded.\n"
    "The output is written beside its final name and put in place at the end, so\n"
    "an existing file survives a failed or killed compile. Ctrl+C stops the\n"
    "compile as the window's Stop button does (a video keeps the frames written).\n"
    "\n"
    "Options:\n"
    "  -o OUT                  the output file (default: the project's)\n"
    "  --codec dib|mjpeg       AVI frames uncompressed (default) or Motion JPEG\n"
    "  --quality Q             AVI with Motion JPEG: the quality 1-100 (default 75);\n"
    "                          MP4 and WebM: the constant quality 1-51, lower is\n"
    "                          better and larger (x264's CRF; VP9's is mapped from\n"
    "                          it; default the project's, else 22)\n"
    "  --preset P              MP4 and WebM: the encoder speed, ultrafast, superfast,\n"
    "                          veryfast, faster, fast, medium, slow, slower or veryslow\n"
    "                          (default the project's, else fast)\n"
    "  --gif-optimize          an optimised GIF: repeated frames merged, only changed\n"
    "                          rectangles written, each picture's own best colours\n"
    "                          (also chosen by the project's GIF settings)\n"
    "  --dither none|floyd-steinberg|ordered\n"
    "                          how the optimised GIF spreads its colours\n"
    "                          (default none: the smallest files at the best PSNR)\n"
    "  --yes                   answer every question Yes (overwrite an existing output);\n"
    "                          without it questions are asked on the terminal, or\n"
    "                          answered No when stdin is not a terminal\n"
    "  --help                  show this text\n";

// --gif-optimize and --dither onto the project's settings.
void ApplyGifOptions(const ParsedArgs& parsed, CompileSettings& settings) {
  if (parsed.Has("--gif-optimize")) settings.gif_optimise = true;
  const auto dither = parsed.Value("--dither");
  if (!dither) return;
  if (!settings.gif_optimise) throw UsageError("--dither applies to --gif-optimize only");
  if (*dither == "none") {
    settings.gif_dither = GifDither::kNone;
  } else if (*dither == "floyd-steinberg") {
    settings.gif_dither = GifDither::kFloydSteinberg;
  } else if (*dither == "ordered") {
    settings.gif_dither = GifDither::kOrdered;
  } else {
    throw UsageError("--dither must be none, floyd-steinberg or ordered, not \"" + *dither + "\"");
  }
}

}  // namespace

int RunCompileCommand(std::span<const std::string> args) {
  const ParsedArgs parsed =
      ParseArgs(args, {{"-o", true},
                                    {"--codec", true},
                                    {"--quality", true},
                                    {"--preset", true},
                                    {"--gif-optimize", false},
                                    {"--dither", true},
                                    {"--yes", false}});
  if (parsed.help) {
    std::cout << kCompileHelp;
    return 0;
  }
  if (parsed.positional.size() != 1) throw UsageError("expected one PROJECT.sfg");
  const auto output = parsed.Value("-o");

  TerminalProgress progress;
  progress.StopOnInterrupt();
  StderrReporter stderr_reporter(parsed.Has("--yes") ? StderrReporter::Answer::kYes
                                                     : StderrReporter::Answer::kAskTerminal);
  BarReporter reporter(stderr_reporter, progress);
  std::optional<ProjectRecord> record = OpenProjectFile(parsed.positional[0], reporter, progress);
  if (!record) return 1;

  CompileSettings settings = SettingsFromRecord(*record);
  if (output) settings.output_path = *output;
  if (settings.output_path.empty()) throw UsageError("the project names no output file; give one with -o");
  ApplyGifOptions(parsed, settings);
  // The options' meaning follows the output's kind, known once the project is read.
  const std::optional<Compression> compression = ParseOutputOptions(parsed, settings);
  return CompileAndReport(record->list, settings, parsed.positional[0], compression, reporter, progress);
}

}  // namespace sf::cli
