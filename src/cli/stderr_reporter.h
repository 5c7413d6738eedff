// The command line's Reporter: every message, question and error goes to
// stderr; questions are answered No unless the command was told to say Yes or
// to ask on the terminal.
//   StderrReporter reporter(args.Has("--yes"));
//   LoadImage(picture, path, reporter);
//   if (reporter.ErrorCount() > 0) return 1;
#pragma once

#include <string>

#include "common/reporter.h"

namespace sf::cli {

class StderrReporter final : public Reporter {
 public:
  enum class Answer { kNo, kYes, kAskTerminal };

  explicit StderrReporter(bool answer_yes = false) : m_answer(answer_yes ? Answer::kYes : Answer::kNo) {}
  // kAskTerminal reads the answer from stdin while it is a terminal, else answers No.
  explicit StderrReporter(Answer answer) : m_answer(answer) {}

  void Message(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void Error(const std::string& text) override;

  // How many errors have been reported so far.
  int ErrorCount() const { return m_errors; }

 private:
  bool Ask(const std::string& question);

  Answer m_answer;
  int m_errors = 0;
};

}  // namespace sf::cli
