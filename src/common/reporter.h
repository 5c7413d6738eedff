// How the core talks to a person: plain messages, Yes/No questions and error
// boxes. The windows answer with message boxes, the command line with stderr and
// --yes, tests with a recorder that keeps every text.
//   reporter.Error("Error loading image file '" + path + "'\n\nLoadImage()");
#pragma once

#include <string>

namespace sf {

class Reporter {
 public:
  virtual ~Reporter() = default;
  // A plain message box with OK.
  virtual void Message(const std::string& text) = 0;
  // A confirmation with Yes and No; true for Yes.
  virtual bool Confirm(const std::string& text) = 0;
  // An error box with OK.
  virtual void Error(const std::string& text) = 0;
  // An error box that asks a question, with Yes and No; true for Yes.
  virtual bool ErrorQuestion(const std::string& text) { return Confirm(text); }
};

// Says nothing and answers every question with Yes.
class SilentReporter final : public Reporter {
 public:
  void Message(const std::string&) override {}
  bool Confirm(const std::string&) override { return true; }
  void Error(const std::string&) override {}
};

}  // namespace sf
