// Reading the items of the project and history files: whitespace-separated words
// and length-counted texts (a length, one separator character of any kind, then
// exactly that many characters). Nothing is read past the end of the text; a
// missing item comes back as nullopt.
//   TextScanner in(text);
//   auto word = in.Word();                 // "Slideforge_Project"
//   auto length = in.DigitRun();           // "18", stopping at the separator
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace sf {

class TextScanner {
 public:
  explicit TextScanner(std::string_view text) : m_text(text) {}

  // The next run of characters that are not spaces, tabs or line ends.
  std::optional<std::string_view> Word();
  // After any whitespace, an optional "-" and the digits that follow it; the
  // character after them is not consumed.
  std::optional<std::string_view> DigitRun();
  // One separator character, whatever it is, then exactly n characters; nullopt
  // (and nothing consumed) when fewer remain.
  std::optional<std::string_view> Counted(std::size_t n);

  std::size_t Remaining() const { return m_text.size() - m_pos; }

 private:
  void SkipWhitespace();

  std::string_view m_text;
  std::size_t m_pos = 0;
};

}  // namespace sf
