#include "effects/effect_list_text.h"

#include <algorithm>
#include <charconv>

namespace sf {

EffectListReader::EffectListReader(std::string_view text) : m_text(text) {
  const std::size_t open = text.find('<');
  if (open == std::string_view::npos) throw EffectListError("The effect list text has no \"<\" after its count.");
  m_count = ParseWholeNumber(text.substr(0, open));
  m_position = open + 1;
}

std::string_view EffectListReader::NextEntry() {
  ++m_read;
  if (m_position > m_text.size()) {
    throw EffectListError("The effect list text ends before entry " + std::to_string(m_read) + " of " +
                          std::to_string(m_count) + ".");
  }
  const std::size_t close = m_text.find('>', m_position);
  if (close == std::string_view::npos) {
    throw EffectListError("Entry " + std::to_string(m_read) + " of the effect list text has no closing \">\".");
  }
  const std::string_view entry = m_text.substr(m_position, close - m_position);
  m_position = close + 2;
  return entry;
}

EffectList ParseEffectList(std::string_view text) {
  EffectList list;
  if (text.empty()) return list;
  EffectListReader reader(text);
  list.count = reader.Count();
  for (int i = 0; i < list.count; ++i) list.entries.emplace_back(reader.NextEntry());
  return list;
}

std::string FormatEffectList(std::span<const std::string> entries) {
  if (entries.empty()) return {};
  std::string text = std::to_string(entries.size());
  for (const std::string& entry : entries) text += "<" + entry + ">";
  return text;
}

int ParseWholeNumber(std::string_view text) {
  const bool signed_text = text.starts_with('+') || text.starts_with('-');
  const std::string_view digits = signed_text ? text.substr(1) : text;
  const bool all_digits =
      !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
  // from_chars takes a leading minus but not a plus.
  const std::string_view number = text.starts_with('+') ? digits : text;
  int value = 0;
  if (!all_digits || std::from_chars(number.data(), number.data() + number.size(), value).ec != std::errc()) {
    throw EffectListError("'" + std::string(text) + "' is not a valid integer value.");
  }
  return value;
}

std::vector<std::string> AppliedEffectsSummary(std::span<const std::string> selected_cells) {
  if (selected_cells.empty()) return {"Applied Effects:"};
  if (selected_cells.size() > 1) return {"Applied Effects: ?"};
  const EffectList list = ParseEffectList(selected_cells.front());
  std::vector<std::string> lines{"Applied Effects: " + std::to_string(list.count)};
  lines.insert(lines.end(), list.entries.begin(), list.entries.end());
  return lines;
}

}  // namespace sf
