#include <cctype>
#include <cstdio>
#include <exception>
#include <iostream>
#include <vector>

#include "cli/command_line.h"
#include "cli/commands.h"

namespace sf::cli {

namespace {

// One row per subcommand, in the order --help lists them.
const std::vector<Command> kCommands = {
    {"compile", "compile a project into an MP4, WebM or AVI video or an animated GIF", &RunCompileCommand},
    {"make", "make a slide show video or GIF straight from pictures and folders", &RunMakeCommand},
    {"info", "print the kind, size and depth of pictures", &RunInfoCommand},
    {"fit", "fit a picture onto a frame and write it as BMP", &RunFitCommand},
    {"effects", "apply an effect list to a picture and write it as BMP", &RunEffectsCommand},
    {"convert", "convert pictures to BMP, JPEG or GIF files, resized and with effects", &RunConvertCommand},
    {"extract-avi", "write frames of an AVI file as numbered BMP files", &RunExtractAviCommand},
    {"extract-gif", "write the composed frames of an animated GIF as numbered BMP files", &RunExtractGifCommand},
    {"gif-info", "print the screen, frames, loops and frame details of a GIF", &RunGifInfoCommand},
    {"bitrate", "work out the video bit rate that fills the discs", &RunBitrateCommand},
};

void PrintUsage(std::ostream& out) {
  out << "Usage: slideforge                 start the desktop application\n"
         "       slideforge PROJECT.sfg     start it with that project opened\n"
         "       slideforge COMMAND [ARGS]  run one job without a window\n"
         "       slideforge --version       print the version\n\nCommands:\n";
  for (const Command& command : Commands()) {
    out << "  " << command.name << "\t" << command.summary << "\n";
  }
  out << "\nEach command's --help lists its options.\n";
}

}  // namespace

std::span<const Command> Commands() { return kCommands; }

bool IsProjectToOpen(std::span<const std::string> words) {
  if (words.size() != 1 || words[0].size() <= 4) return false;
  std::string extension = words[0].substr(words[0].size() - 4);
  for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return extension == ".sfg";
}

int Run(std::span<const std::string> words) {
  if (words.empty() || words[0] == "--help" || words[0] == "-h" || words[0] == "help") {
    PrintUsage(std::cout);
    return words.empty() ? 2 : 0;
  }
  if (words[0] == "--version") {
    std::cout << "slideforge " << SLIDEFORGE_VERSION << "\n";
    return 0;
  }
  for (const Command& command : Commands()) {
    if (words[0] == command.name) {
      try {
        return command.run(words.subspan(1));
      } catch (const UsageError& error) {
        std::cerr << "slideforge " << command.name << ": " << error.what() << "\n"
                  << "Try 'slideforge " << command.name << " --help'.\n";
        return 2;
      } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
      }
    }
  }
  std::cerr << "slideforge: unknown command '" << words[0] << "'\n\n";
  PrintUsage(std::cerr);
  return 2;
}

}  // namespace sf::cli
