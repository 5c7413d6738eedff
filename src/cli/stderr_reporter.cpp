#include "cli/stderr_reporter.h"

#include <iostream>

namespace sf::cli {

void StderrReporter::Message(const std::string& text) { std::cerr << text << "\n"; }

bool StderrReporter::Confirm(const std::string& text) {
  std::cerr << text << "\n" << (m_answer_yes ? "-> Yes" : "-> No") << "\n";
  return m_answer_yes;
}

void StderrReporter::Error(const std::string& text) {
  ++m_errors;
  std::cerr << text << "\n";
}

}  // namespace sf::cli
