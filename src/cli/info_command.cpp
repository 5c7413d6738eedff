// slideforge info PICTURE...: loads each picture as the compile does and prints
// one line for it: path, kind name, size and bits per pixel.
#include <iostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/stderr_reporter.h"
#include "compile/compile_settings.h"
#include "loader/load_image.h"

namespace sf::cli {

namespace {

constexpr char kInfoHelp[] =
    "Usage: slideforge info PICTURE...\n"
    "\n"
    "Loads each picture (BMP, JPEG, PNG, GIF, ICO, WMF, EMF) and prints one line:\n"
    "  PATH<TAB>KIND<TAB>WIDTHxHEIGHT<TAB>BITS-PER-PIXEL\n"
    "KIND is \"Bitmap\", \"JPEG\", \"GIF\", \"Icon (.ico)\", \"PNG\", ... A picture that\n"
    "fails to load prints its messages on stderr, and the exit status is then 1;\n"
    "so does a picture 0 pixels wide or high, which no frame can show. A JPEG photo\n"
    "is turned upright by its EXIF orientation first, as a new list's compile does,\n"
    "so the size is the one it shows at.\n"
    "\n"
    "Options:\n"
    "  --help    show this text\n";

}  // namespace

int RunInfoCommand(std::span<const std::string> args) {
  const ParsedArgs parsed = ParseArgs(args, {});
  if (parsed.help) {
    std::cout << kInfoHelp;
    return 0;
  }
  if (parsed.positional.empty()) throw UsageError("no picture given");

  StderrReporter reporter;
  int status = 0;
  for (const std::string& path : parsed.positional) {
    Bitmap picture;
    const int errors_before = reporter.ErrorCount();
    LoadImage(picture, path, reporter, {.upright = CompileSettings().upright});
    if (reporter.ErrorCount() != errors_before) {
      status = 1;
      continue;
    }
    std::cout << path << '\t' << LastLoadedKindName() << '\t' << picture.Width() << 'x' << picture.Height() << '\t'
              << picture.BitsPerPixel() << '\n';
    if (picture.Empty()) {
      std::cerr << path << ": the picture is empty (0 pixels wide or high) and cannot be fitted onto a frame; "
                   "an AVI compile shows the background alone in its place and a GIF compile stops.\n";
      status = 1;
    }
  }
  return status;
}

}  // namespace sf::cli
