// The one slideforge binary: with no arguments (or just a project file) the
// desktop application, with a subcommand a job that runs without any window.
#include <string>
#include <vector>

#include "cli/commands.h"

#ifdef SLIDEFORGE_HAVE_APP
#include "app/application.h"
#endif

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
#ifdef SLIDEFORGE_HAVE_APP
  if (words.empty()) return sf::app::RunApplication(argc, argv, std::nullopt);
  if (sf::cli::IsProjectToOpen(words)) return sf::app::RunApplication(argc, argv, words[0]);
#endif
  return sf::cli::Run(words);
}
