#include "project/text_scanner.h"

namespace sf {

namespace {

bool IsWhitespace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void TextScanner::SkipWhitespace() {
  while (m_pos < m_text.size() && IsWhitespace(m_text[m_pos])) ++m_pos;
}

std::optional<std::string_view> TextScanner::Word() {
  SkipWhitespace();
  const std::size_t start = m_pos;
  while (m_pos < m_text.size() && !IsWhitespace(m_text[m_pos])) ++m_pos;
  if (m_pos == start) return std::nullopt;
  return m_text.substr(start, m_pos - start);
}

std::optional<std::string_view> TextScanner::DigitRun() {
  SkipWhitespace();
  const std::size_t start = m_pos;
  std::size_t end = m_pos;
  if (end < m_text.size() && m_text[end] == '-') ++end;
  const std::size_t digits = end;
  while (end < m_text.size() && IsDigit(m_text[end])) ++end;
  if (end == digits) return std::nullopt;
  m_pos = end;
  return m_text.substr(start, end - start);
}

std::optional<std::string_view> TextScanner::Counted(std::size_t n) {
  if (Remaining() < 1 || n > Remaining() - 1) return std::nullopt;
  const std::string_view text = m_text.substr(m_pos + 1, n);
  m_pos += 1 + n;
  return text;
}

}  // namespace sf
