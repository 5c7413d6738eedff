#include "cli/terminal_progress.h"

#include <unistd.h>

#include <algorithm>

namespace sf::cli {

namespace {

constexpr int kBarWidth = 30;

volatile std::sig_atomic_t g_interrupted = 0;

void NoteInterrupt(int) { g_interrupted = 1; }

}  // namespace

TerminalProgress::TerminalProgress(std::FILE* out) : m_out(out), m_terminal(isatty(fileno(out)) != 0) {}

TerminalProgress::~TerminalProgress() {
  if (m_handling_interrupt) sigaction(SIGINT, &m_previous_interrupt, nullptr);
  EndLine();
}

void TerminalProgress::StopOnInterrupt() {
  struct sigaction action {};
  action.sa_handler = NoteInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;  // the second Ctrl+C is not caught
  g_interrupted = 0;
  m_handling_interrupt = sigaction(SIGINT, &action, &m_previous_interrupt) == 0;
}

bool TerminalProgress::StopRequested() { return g_interrupted != 0; }

void TerminalProgress::Progress(const std::string& text, int percent) {
  m_text = text;
  m_percent = std::clamp(percent, 0, 100);
  Draw();
}

void TerminalProgress::ProgressText(const std::string& text) {
  m_text = text;
  Draw();
}

void TerminalProgress::Message(const std::string& text, bool remember) {
  if (!remember) return;
  EndLine();
  std::fprintf(m_out, "%s\n", text.c_str());
  std::fflush(m_out);
}

void TerminalProgress::Draw() {
  if (!m_terminal) return;
  const int filled = m_percent * kBarWidth / 100;
  const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                          std::string(static_cast<std::size_t>(kBarWidth - filled), '.');
  // Clear to the end of the line, so a shorter text leaves nothing behind.
  std::fprintf(m_out, "\r[%s] %s\x1b[K", bar.c_str(), m_text.c_str());
  std::fflush(m_out);
  m_line_open = true;
}

void TerminalProgress::EndLine() {
  if (!m_line_open) return;
  std::fputc('\n', m_out);
  std::fflush(m_out);
  m_line_open = false;
}

}  // namespace sf::cli
