// The desktop application as a plugin of the one binary: the command-line jobs
// start without loading Qt, and the windows load it when they are asked for.
//   auto run = sf::PluginFunction<sf::app::RunDesktopFunction>(sf::app::kDesktopPluginFile,
//                                                             sf::app::kRunDesktopSymbol);
#pragma once

namespace sf::app {

inline constexpr const char* kDesktopPluginFile = "slideforge-desktop.so";
// The name carries the version of this entry point.
inline constexpr const char* kRunDesktopSymbol = "SlideforgeRunDesktop1";
// project: the project file named on the command line, or nullptr.
using RunDesktopFunction = int (*)(int argc, char** argv, const char* project);

}  // namespace sf::app
