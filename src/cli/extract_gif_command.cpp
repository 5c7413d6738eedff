// slideforge extract-gif ANIM.gif BASE [--from N] [--to M] [--reverse]
// [--method new|top]: writes the frames of an animated GIF, each drawn over the
// ones before it, as numbered BMP files.
#include <iostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/stderr_reporter.h"
#include "gif/gif_image.h"
#include "gif/gif_render.h"
#include "tools/gif_frame_extraction.h"

namespace sf::cli {

namespace {

constexpr char kExtractGifHelp[] =
    "Usage: slideforge extract-gif ANIM.gif BASE [options]\n"
    "\n"
    "Writes frames of ANIM.gif as BMP files named BASE, the frame number (from 0,\n"
    "zero-padded to the digits of the frame count - 1) and .bmp. Every frame is\n"
    "drawn over the ones before it, starting from the first frame on the logical\n"
    "screen; the files are 8-bit with the first frame's colour table when that\n"
    "frame covers the screen, else 24-bit. Prints the final progress line.\n"
    "\n"
    "Options:\n"
    "  --from N        first frame to write, from 1 (default 1)\n"
    "  --to M          last frame to write (default: the last frame)\n"
    "  --reverse       the file numbers run backwards over the range\n"
    "  --method new    a transparent frame first fills the picture with its\n"
    "                  transparent colour, then is drawn whole\n"
    "  --method top    a frame's transparent pixels keep the picture below\n"
    "                  (default: top when the first frame keeps the previous\n"
    "                  picture, disposal 0 or 1; new otherwise)\n"
    "  --help          show this text\n";

int ParseFrameNumber(const std::string& text, const std::string& option) {
  return static_cast<int>(ParseIntOption(text, option, -2147483647LL, 2147483647LL));
}

GifDrawMethod ParseMethod(const std::string& text) {
  if (text == "new") return GifDrawMethod::kDrawNew;
  if (text == "top") return GifDrawMethod::kDrawOnTop;
  throw UsageError("--method takes 'new' or 'top', not '" + text + "'");
}

// Keeps the last progress line, which the command prints at the end.
class LastProgress final : public ProgressObserver {
 public:
  void Progress(const std::string& text, int) override { last = text; }
  std::string last;
};

}  // namespace

int RunExtractGifCommand(std::span<const std::string> args) {
  const ParsedArgs parsed =
      ParseArgs(args, {{"--from", true}, {"--to", true}, {"--reverse", false}, {"--method", true}});
  if (parsed.help) {
    std::cout << kExtractGifHelp;
    return 0;
  }
  if (parsed.positional.size() != 2) throw UsageError("expected ANIM.gif and BASE");
  GifExtractionRequest request;
  request.base = parsed.positional[1];
  request.reverse = parsed.Has("--reverse");
  if (const auto from = parsed.Value("--from")) request.first = ParseFrameNumber(*from, "--from");
  const auto to = parsed.Value("--to");
  if (to) request.last = ParseFrameNumber(*to, "--to");
  const auto method = parsed.Value("--method");
  if (method) request.method = ParseMethod(*method);

  StderrReporter reporter;
  TGIFImage image;
  GifAnimationInfo info;
  try {
    info = ReadGifAnimation(image, parsed.positional[0]);
  } catch (const std::exception& error) {
    reporter.Error(error.what());
    reporter.Error("Error opening GIF file - LoadGIFBtnClick().");
    return 1;
  }
  if (!to) request.last = info.frames;
  if (!method) request.method = info.method;

  Bitmap preview = RenderStill(image);
  GifFrameDrawer drawer(image);
  LastProgress progress;
  const ExtractionResult result = ExtractGifFrames(image, drawer, request, preview, reporter, progress);
  if (result.outcome != ExtractionOutcome::kCompleted) return 1;
  std::cout << progress.last << "\n";
  return 0;
}

}  // namespace sf::cli
