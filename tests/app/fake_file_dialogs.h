// File dialogs for window tests: each call records its request and takes the
// next queued answer (cancel when none is left).
//   FakeFileDialogs dialogs;  dialogs.answers.push_back(FileDialogAnswer{"/tmp/a.mpg", 1});
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "app/file_dialogs.h"

namespace sf::test {

class FakeFileDialogs final : public app::FileDialogs {
 public:
  std::optional<app::FileDialogAnswer> Save(const app::FileDialogRequest& request) override { return Next(request); }
  std::optional<app::FileDialogAnswer> Open(const app::FileDialogRequest& request) override { return Next(request); }

  std::deque<std::optional<app::FileDialogAnswer>> answers;
  std::vector<app::FileDialogRequest> requests;

 private:
  std::optional<app::FileDialogAnswer> Next(const app::FileDialogRequest& request) {
    requests.push_back(request);
    if (answers.empty()) return std::nullopt;
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace sf::test
