#include "cli/stderr_reporter.h"

#include <unistd.h>

#include <iostream>

namespace sf::cli {

void StderrReporter::Message(const std::string& text) { std::cerr << text << "\n"; }

bool StderrReporter::Confirm(const std::string& text) { return Ask(text); }

bool StderrReporter::Ask(const std::string& question) {
  if (m_answer == Answer::kAskTerminal && isatty(STDIN_FILENO) != 0) {
    std::cerr << question << "\n[y/N] " << std::flush;
    std::string reply;
    std::getline(std::cin, reply);
    return !reply.empty() && (reply[0] == 'y' || reply[0] == 'Y');
  }
  const bool yes = m_answer == Answer::kYes;
  std::cerr << question << "\n" << (yes ? "-> Yes" : "-> No") << "\n";
  return yes;
}

void StderrReporter::Error(const std::string& text) {
  ++m_errors;
  std::cerr << text << "\n";
}

}  // namespace sf::cli
