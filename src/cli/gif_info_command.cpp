// slideforge gif-info ANIM.gif: reads a GIF file with the codec and prints its
// logical screen, frame count, loop count and every frame's bounds, timing,
// disposal, transparency and local colour table as name: value lines.
#include <iostream>

#include "cli/command_line.h"
#include "cli/commands.h"
#include "gif/gif_image.h"

namespace sf::cli {

namespace {

constexpr char kGifInfoHelp[] =
    "Usage: slideforge gif-info ANIM.gif\n"
    "\n"
    "Reads ANIM.gif and prints one 'name: value' line per fact:\n"
    "  screen: WIDTHxHEIGHT              the logical screen\n"
    "  global colors: N                  entries of the global colour table\n"
    "  frames: N                         frames, counting an empty last frame made\n"
    "                                    of extensions after the last picture\n"
    "  loop count: N                     from the first NETSCAPE2.0 extension\n"
    "                                    (0 = endlessly), or 'none'\n"
    "and for every frame K (from 0):\n"
    "  frame K bounds: LEFT,TOP WIDTHxHEIGHT\n"
    "  frame K delay: N                  hundredths of a second\n"
    "  frame K disposal: N               0 none, 1 keep, 2 background, 3 previous\n"
    "  frame K transparent: yes|no\n"
    "  frame K transparent index: N\n"
    "  frame K local colors: N           entries of its own colour table (0: none)\n"
    "A frame without a graphic control extension shows delay 0, disposal 0 and\n"
    "no transparency. A damaged file prints the reader's message on stderr and\n"
    "exits with status 1.\n"
    "\n"
    "Options:\n"
    "  --help    show this text\n";

void PrintLoopCount(const TGIFImage& image) {
  for (int i = 0; i < image.Count(); ++i) {
    for (const auto& extension : image.Frame(i).Extensions()) {
      if (const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(extension.get())) {
        std::cout << "loop count: " << loop->Loops() << '\n';
        return;
      }
    }
  }
  std::cout << "loop count: none\n";
}

void PrintFrame(const TGIFSubImage& frame, int index) {
  const TGIFGraphicControlExtension* control = frame.GraphicControlExtension();
  const std::string name = "frame " + std::to_string(index);
  std::cout << name << " bounds: " << frame.Left() << ',' << frame.Top() << ' ' << frame.Width() << 'x'
            << frame.Height() << '\n';
  std::cout << name << " delay: " << (control ? control->GetDelay() : 0) << '\n';
  std::cout << name << " disposal: " << (control ? static_cast<int>(control->GetDisposal()) : 0) << '\n';
  std::cout << name << " transparent: " << (frame.Transparent() ? "yes" : "no") << '\n';
  std::cout << name << " transparent index: " << (control ? static_cast<int>(control->GetTransparentColorIndex()) : 0)
            << '\n';
  std::cout << name << " local colors: " << frame.ColorMap().Count() << '\n';
}

}  // namespace

int RunGifInfoCommand(std::span<const std::string> args) {
  const ParsedArgs parsed = ParseArgs(args, {});
  if (parsed.help) {
    std::cout << kGifInfoHelp;
    return 0;
  }
  if (parsed.positional.size() != 1) throw UsageError("expected one GIF file");

  TGIFImage image;
  image.LoadFromFile(parsed.positional[0]);
  std::cout << "screen: " << image.Width() << 'x' << image.Height() << '\n';
  std::cout << "global colors: " << image.GlobalColorMap().Count() << '\n';
  std::cout << "frames: " << image.Count() << '\n';
  PrintLoopCount(image);
  for (int i = 0; i < image.Count(); ++i) PrintFrame(image.Frame(i), i);
  return 0;
}

}  // namespace sf::cli
