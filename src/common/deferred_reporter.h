// A Reporter that keeps what it is told, so that work done away from the
// user-interface thread can be reported later, in the order a one-at-a-time
// run would have reported it. Questions are answered Yes and replayed as asked.
//   DeferredReporter later;  LoadImage(picture, path, later);  ...  later.Replay(reporter);
#pragma once

#include <string>
#include <vector>

#include "common/reporter.h"

namespace sf {

class DeferredReporter final : public Reporter {
 public:
  void Message(const std::string& text) override { m_entries.push_back({Kind::kMessage, text}); }
  bool Confirm(const std::string& text) override;
  void Error(const std::string& text) override { m_entries.push_back({Kind::kError, text}); }
  bool ErrorQuestion(const std::string& text) override;

  std::size_t Count() const { return m_entries.size(); }
  // Tells the reporter everything kept, in order.
  void Replay(Reporter& reporter) const;

 private:
  enum class Kind { kMessage, kConfirm, kError, kErrorQuestion };
  struct Entry {
    Kind kind;
    std::string text;
  };
  std::vector<Entry> m_entries;
};

}  // namespace sf
