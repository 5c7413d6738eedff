// The desktop application: start-up in its fixed order, then the event loop.
//   return sf::app::RunApplication(argc, argv, std::nullopt);
#pragma once

#include <optional>
#include <string>

namespace sf::app {

// project: a project file to open once the window is shown, as a project
// file dropped on the window is opened.
int RunApplication(int argc, char** argv, const std::optional<std::string>& project);

class TAVICompileForm;

// Opens the project named on the command line (relative to the current
// folder) as a project file dropped on the window is opened.
void OpenAtStart(TAVICompileForm& window, const std::string& project);

}  // namespace sf::app
