// slideforge fit PICTURE OUT.bmp --size WxH ...: loads a picture as the compile
// does, fits it onto one frame over the background and writes the frame.
#include <iostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/stderr_reporter.h"
#include "image/bmp_writer.h"
#include "image/fitting.h"
#include "loader/load_image.h"

namespace sf::cli {

namespace {

constexpr char kFitHelp[] =
    "Usage: slideforge fit PICTURE OUT.bmp --size WxH [options]\n"
    "\n"
    "Loads PICTURE, fits it onto a frame of WxH pixels over the background and\n"
    "writes the frame as a BMP file. Prints where the picture went:\n"
    "  picture WxH at (LEFT, TOP) in frame WxH\n"
    "\n"
    "Options:\n"
    "  --size WxH              the frame size (required)\n"
    "  --border BW,BH          border in percent of the width and the height, 0-99 (default 0,0)\n"
    "  --no-aspect             stretch the picture to the box instead of keeping its aspect ratio\n"
    "  --no-zoom               never enlarge a picture smaller than the box\n"
    "  --smooth                bilinear resizing (default: standard, nearest neighbour)\n"
    "  --depth 8|24            bits per pixel of the frame (default 24)\n"
    "  --background PICTURE    stretched over the whole frame (default: 5 x 5 black)\n"
    "  --help                  show this text\n";

std::pair<int, int> ParseBorder(const std::string& text) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) throw UsageError("--border must be BW,BH, not \"" + text + "\"");
  return {static_cast<int>(ParseIntOption(text.substr(0, comma), "--border", 0, 99)),
          static_cast<int>(ParseIntOption(text.substr(comma + 1), "--border", 0, 99))};
}

PixelFormat ParseDepth(const std::string& text) {
  if (text == "8") return PixelFormat::kBits8;
  if (text == "24") return PixelFormat::kBits24;
  throw UsageError("--depth must be 8 or 24, not \"" + text + "\"");
}

}  // namespace

int RunFitCommand(std::span<const std::string> args) {
  const ParsedArgs parsed = ParseArgs(args, {{"--size", true},
                                             {"--border", true},
                                             {"--no-aspect", false},
                                             {"--no-zoom", false},
                                             {"--smooth", false},
                                             {"--depth", true},
                                             {"--background", true}});
  if (parsed.help) {
    std::cout << kFitHelp;
    return 0;
  }
  if (parsed.positional.size() != 2) throw UsageError("expected PICTURE and OUT.bmp");
  const auto size_text = parsed.Value("--size");
  if (!size_text) throw UsageError("--size is required");
  const auto [width, height] = ParseSize(*size_text, "--size");
  const auto [border_width, border_height] = ParseBorder(parsed.Value("--border").value_or("0,0"));
  const PixelFormat depth = ParseDepth(parsed.Value("--depth").value_or("24"));
  const bool maintain_aspect = !parsed.Has("--no-aspect");
  const bool zoom_in = !parsed.Has("--no-zoom");
  const ResizeMethod method = parsed.Has("--smooth") ? ResizeMethod::kSmooth : ResizeMethod::kStandard;

  StderrReporter reporter;
  Bitmap background(5, 5);
  background.Fill(Rgb{0, 0, 0});
  if (const auto background_path = parsed.Value("--background")) {
    LoadImage(background, *background_path, reporter);
    if (reporter.ErrorCount() > 0) return 1;
  }
  Bitmap picture;
  LoadImage(picture, parsed.positional[0], reporter);
  if (reporter.ErrorCount() > 0) return 1;

  const FitPlacement place = ComputeFitPlacement(picture.Width(), picture.Height(), width, height, border_width,
                                                 border_height, maintain_aspect, zoom_in);
  if (GetAspectedImage(picture, background, method, zoom_in, maintain_aspect, depth, border_height, border_width,
                       height, width, reporter) != 0) {
    return 1;
  }
  WriteBmpFile(picture, parsed.positional[1]);
  std::cout << "picture " << place.width << "x" << place.height << " at (" << place.left << ", " << place.top
            << ") in frame " << width << "x" << height << "\n";
  return 0;
}

}  // namespace sf::cli
