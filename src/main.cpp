// The one slideforge binary: with no arguments (or just a project file) the
// desktop application, with a subcommand a job that runs without any window.
// The windows are a plugin, so a job never loads Qt.
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "cli/commands.h"

#ifdef SLIDEFORGE_HAVE_APP
#include "app/desktop_plugin.h"
#include "common/plugin_library.h"

namespace {

int RunDesktop(int argc, char** argv, const char* project) {
  sf::app::RunDesktopFunction run = nullptr;
  try {
    run = sf::PluginFunction<sf::app::RunDesktopFunction>(sf::app::kDesktopPluginFile, sf::app::kRunDesktopSymbol);
  } catch (const std::exception& failure) {
    std::cerr << "slideforge: " << failure.what() << "\n";
    return 1;
  }
  return run(argc, argv, project);
}

}  // namespace
#endif

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
#ifdef SLIDEFORGE_HAVE_APP
  if (words.empty()) return RunDesktop(argc, argv, nullptr);
  if (sf::cli::IsProjectToOpen(words)) return RunDesktop(argc, argv, words[0].c_str());
#endif
  return sf::cli::Run(words);
}
