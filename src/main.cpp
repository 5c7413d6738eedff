// The one slideforge binary: with no arguments the desktop application, with a
// subcommand a job that runs without any window.
#include <string>
#include <vector>

#include "cli/commands.h"

#ifdef SLIDEFORGE_HAVE_APP
#include "app/application.h"
#endif

int main(int argc, char** argv) {
#ifdef SLIDEFORGE_HAVE_APP
  if (argc == 1) return sf::app::RunApplication(argc, argv);
#endif
  const std::vector<std::string> words(argv + 1, argv + argc);
  return sf::cli::Run(words);
}
