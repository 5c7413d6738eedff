// slideforge extract-avi VIDEO.avi BASE [--from N] [--to M] [--reverse]: writes
// frames of an AVI file's first video stream as numbered 24-bit BMP files.
#include <iostream>

#include "avi/avi_reader.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/stderr_reporter.h"
#include "tools/avi_frame_source.h"
#include "tools/frame_extraction.h"

namespace sf::cli {

namespace {

constexpr char kExtractAviHelp[] =
    "Usage: slideforge extract-avi VIDEO.avi BASE [options]\n"
    "\n"
    "Writes frames of the first video stream of VIDEO.avi as 24-bit BMP files\n"
    "named BASE, the frame number (from 0, zero-padded to the digits of the\n"
    "frame count - 1) and .bmp. Prints the final progress line.\n"
    "\n"
    "Options:\n"
    "  --from N     first frame to write, from 1 (default 1)\n"
    "  --to M       last frame to write (default: the last frame of the video)\n"
    "  --reverse    the files in number order hold the range backwards\n"
    "  --help       show this text\n";

// The number a person typed, without a range check: the extraction itself
// reports a range outside the video.
int ParseFrameNumber(const std::string& text, const std::string& option) {
  return static_cast<int>(ParseIntOption(text, option, -2147483647LL, 2147483647LL));
}

// Keeps the last progress line, which the command prints at the end.
class LastProgress final : public ProgressObserver {
 public:
  void Progress(const std::string& text, int) override { last = text; }
  std::string last;
};

}  // namespace

int RunExtractAviCommand(std::span<const std::string> args) {
  const ParsedArgs parsed = ParseArgs(args, {{"--from", true}, {"--to", true}, {"--reverse", false}});
  if (parsed.help) {
    std::cout << kExtractAviHelp;
    return 0;
  }
  if (parsed.positional.size() != 2) throw UsageError("expected VIDEO.avi and BASE");
  ExtractionRequest request;
  request.base = parsed.positional[1];
  request.reverse = parsed.Has("--reverse");
  if (const auto from = parsed.Value("--from")) request.first = ParseFrameNumber(*from, "--from");

  StderrReporter reporter;
  AviReader reader(reporter);
  reader.InitAvi(parsed.positional[0]);
  const auto info = reader.GetAviInfo();
  if (!info) return 1;
  AviFrameSource source(reader, *info);
  const auto to = parsed.Value("--to");
  request.last = to ? ParseFrameNumber(*to, "--to") : source.FrameCount();

  Bitmap preview;
  LastProgress progress;
  const ExtractionResult result = ExtractFrames(source, request, preview, reporter, progress);
  if (result.outcome != ExtractionOutcome::kCompleted) return 1;
  std::cout << progress.last << "\n";
  return reporter.ErrorCount() > 0 ? 1 : 0;
}

}  // namespace sf::cli
