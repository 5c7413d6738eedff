// Opening a file, folder or address with the desktop's default handler. The
// windows use xdg-open through Qt; the command line and tests pass a recorder
// or NoDesktop, which opens nothing.
//   desktop.Open(output_path);
#pragma once

#include <string>

namespace sf {

class Desktop {
 public:
  virtual ~Desktop() = default;
  virtual void Open(const std::string& path_or_address) = 0;
};

class NoDesktop final : public Desktop {
 public:
  void Open(const std::string&) override {}
};

}  // namespace sf
