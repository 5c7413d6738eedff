// The windows' Reporter: plain messages, Yes/No questions and error boxes as
// modal message boxes over a parent window.
//   MessageBoxReporter reporter(this);
//   if (reporter.Confirm("Stop rendering?")) ...
#pragma once

#include "common/reporter.h"

class QWidget;

namespace sf::app {

class MessageBoxReporter final : public Reporter {
 public:
  explicit MessageBoxReporter(QWidget* parent = nullptr) : m_parent(parent) {}

  void Message(const std::string& text) override;
  bool Confirm(const std::string& text) override;
  void Error(const std::string& text) override;
  bool ErrorQuestion(const std::string& text) override;

 private:
  QWidget* m_parent;
};

}  // namespace sf::app
