#include "app/desktop_plugin.h"

#include <optional>
#include <string>

#include "app/application.h"

extern "C" __attribute__((visibility("default"))) int SlideforgeRunDesktop1(int argc, char** argv,
                                                                           const char* project) {
  return sf::app::RunApplication(argc, argv,
                                 project != nullptr ? std::optional<std::string>(project) : std::nullopt);
}
