// Opening a file or an address with the desktop's default handler (xdg-open
// through Qt). Headless machines open nothing, without harm.
//   QtDesktop desktop;  desktop.Open("/home/me/Documents/output.avi");
#pragma once

#include "common/desktop.h"

namespace sf::app {

class QtDesktop final : public Desktop {
 public:
  void Open(const std::string& path_or_address) override;
};

}  // namespace sf::app
