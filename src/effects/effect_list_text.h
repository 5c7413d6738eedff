// The text form of a row's effect list: empty, or a count followed by that
// many entries in angle brackets, e.g. 2<Brighter=50><Blur Gaussian=3>; and the
// "Applied Effects:" summary lines shown for the selected rows.
//   const EffectList list = ParseEffectList(cell);   // {2, {"Brighter=50", ...}}
//   const std::string cell = FormatEffectList(list.entries);
#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace sf {

// A malformed effect list text; the text says what is wrong.
class EffectListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct EffectList {
  int count = 0;                     // the declared count
  std::vector<std::string> entries;  // entry texts such as "Brighter=50", in order
};

// Reads entries one at a time, so that a caller can act on each before the
// next is read. The count is the text before the first "<"; each entry runs
// from after its "<" to the next ">", and the character after that ">" is
// skipped as the next entry's "<" without being looked at.
class EffectListReader {
 public:
  // Throws EffectListError when there is no "<" or the count is not a whole
  // number. The text must outlive the reader.
  explicit EffectListReader(std::string_view text);
  int Count() const { return m_count; }
  // The next entry text; throws EffectListError when the text ends first.
  std::string_view NextEntry();

 private:
  std::string_view m_text;
  std::size_t m_position = 0;
  int m_count = 0;
  int m_read = 0;
};

// The declared count and the first `count` entries; text after them is
// ignored. The empty text gives {0, {}}. Throws EffectListError when the text
// is malformed.
EffectList ParseEffectList(std::string_view text);

// Empty for no entries, else the count followed by each entry in brackets.
std::string FormatEffectList(std::span<const std::string> entries);

// A decimal integer with an optional sign that fits an int, as counts and
// values are stored; throws EffectListError otherwise.
int ParseWholeNumber(std::string_view text);

// The lines of the "Applied Effects:" list box for the effect cells of the
// selected rows: none selected gives "Applied Effects:"; one gives
// "Applied Effects: N" and one line per entry ("Applied Effects: 0" for an
// empty cell); several give "Applied Effects: ?". Throws EffectListError when
// the one cell is malformed.
std::vector<std::string> AppliedEffectsSummary(std::span<const std::string> selected_cells);

}  // namespace sf
