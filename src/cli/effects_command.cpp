// slideforge effects PICTURE OUT.bmp "EFFECT-LIST": loads a picture as a
// compile does, applies the effect list to it at its own size and writes the
// result as a BMP file in the picture's own pixel format.
#include <iostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "cli/stderr_reporter.h"
#include "effects/apply_list_of_effects.h"
#include "effects/effect_catalogue.h"
#include "image/bmp_writer.h"
#include "loader/load_image.h"

namespace sf::cli {

namespace {

void PrintEffectsHelp() {
  std::cout << "Usage: slideforge effects PICTURE OUT.bmp \"EFFECT-LIST\"\n"
               "\n"
               "Loads PICTURE, applies the effect list to it as a compile does and writes\n"
               "the result to OUT.bmp in the picture's own pixel format. The list is a count\n"
               "followed by that many entries, e.g. \"2<Brighter=50><Blur Gaussian=3>\"; the\n"
               "empty list writes the picture unchanged. Exits with 1, writing nothing, when\n"
               "the picture cannot be loaded or the list cannot be applied.\n"
               "\n"
               "Options:\n"
               "  --help    show this text\n"
               "\n"
               "Effects:\n";
  for (const EffectEntry& entry : EffectCatalogue()) {
    std::cout << "  " << entry.name << "\n";
  }
}

}  // namespace

int RunEffectsCommand(std::span<const std::string> args) {
  const ParsedArgs parsed = ParseArgs(args, {});
  if (parsed.help) {
    PrintEffectsHelp();
    return 0;
  }
  if (parsed.positional.size() != 3) throw UsageError("expected PICTURE, OUT.bmp and EFFECT-LIST");
  StderrReporter reporter;
  Bitmap picture;
  LoadImage(picture, parsed.positional[0], reporter);
  if (reporter.ErrorCount() > 0) return 1;
  ApplyListOfEffects(picture, parsed.positional[2], reporter);
  if (reporter.ErrorCount() > 0) return 1;
  WriteBmpFile(picture, parsed.positional[1]);
  return 0;
}

}  // namespace sf::cli
