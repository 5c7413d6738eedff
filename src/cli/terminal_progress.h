// The command line's progress observer: a one-line progress bar redrawn on
// stderr while it is a terminal, and the remembered messages (the outcome of a
// job) as lines of their own. Ctrl+C asks a job to stop once StopOnInterrupt
// has been called; a second Ctrl+C ends the program at once.
//   TerminalProgress progress;
//   progress.StopOnInterrupt();
//   SaveAsAVI(job, {reporter, progress, desktop, host});
#pragma once

#include <csignal>
#include <cstdio>
#include <string>

#include "common/progress_observer.h"

namespace sf::cli {

class TerminalProgress final : public ProgressObserver {
 public:
  // Draws the bar only when out is a terminal.
  explicit TerminalProgress(std::FILE* out = stderr);
  ~TerminalProgress() override;

  void Progress(const std::string& text, int percent) override;
  void ProgressText(const std::string& text) override;
  void Message(const std::string& text, bool remember) override;
  // Ends the bar's line, so that the next text starts on a line of its own.
  void EndLine();
  // From now until this observer is destroyed, Ctrl+C (SIGINT) is the job's
  // Stop: the job ends as its Stop button would end it.
  void StopOnInterrupt();
  bool StopRequested() override;

 private:
  void Draw();

  std::FILE* m_out;
  bool m_terminal;
  bool m_line_open = false;
  std::string m_text;
  int m_percent = 0;
  bool m_handling_interrupt = false;
  struct sigaction m_previous_interrupt {};
};

}  // namespace sf::cli
