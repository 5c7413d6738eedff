// The desktop application: start-up in its fixed order, then the event loop.
//   return sf::app::RunApplication(argc, argv);
#pragma once

namespace sf::app {

int RunApplication(int argc, char** argv);

}  // namespace sf::app
