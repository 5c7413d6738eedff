// A Reporter for tests: keeps every text in order with its kind, and answers
// questions from a queue (Yes when the queue is empty).
//   RecordingReporter reporter;
//   reporter.answers = {false};
//   ... EXPECT_EQ(reporter.Texts(), (std::vector<std::string>{"..."}));
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "common/progress_observer.h"
#include "common/reporter.h"

namespace sf::test {

class RecordingReporter : public Reporter {
 public:
  enum class Kind { kMessage, kConfirm, kError, kErrorQuestion };
  struct Entry {
    Kind kind;
    std::string text;
  };

  void Message(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void Error(const std::string& text) override;
  bool ErrorQuestion(const std::string& text) override;

  std::vector<std::string> Texts() const;
  std::vector<std::string> Errors() const;

  std::vector<Entry> entries;
  std::deque<bool> answers;

 private:
  bool NextAnswer();
};

// A progress observer that keeps the last texts and counts the calls.
class RecordingProgress : public ProgressObserver {
 public:
  void Progress(const std::string& text, int percent) override;
  void ProgressText(const std::string& text) override;
  void Message(const std::string& text, bool remember) override;
  void Title(const std::string& text) override;
  void ProcessEvents() override;
  bool StopRequested() override;

  std::vector<std::string> progress_texts;
  std::vector<int> percents;
  std::vector<std::string> messages;
  std::string remembered;
  std::string title;
  int events = 0;
  // StopRequested answers true once ProcessEvents has run this many times (-1: never).
  int stop_after_events = -1;
};

}  // namespace sf::test
