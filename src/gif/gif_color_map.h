// A GIF colour table: up to 256 red-green-blue entries, a count and the sorted
// flag. Its bits per pixel follow from the count (1 for 1-2 colours ... 8 for
// 129-256); a file stores it padded to 2^bits entries.
//   TGIFColorMap map;  map.Assign(palette);
//   const int bits = map.BitsPerPixel();   // 1 for a palette of 2
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "image/color.h"

namespace sf {

class TGIFColorMap {
 public:
  static constexpr int kMaxColors = 256;

  int Count() const { return static_cast<int>(m_colors.size()); }
  bool Empty() const { return m_colors.empty(); }
  // 0 for an empty table, else the smallest n >= 1 with 2^n >= Count().
  int BitsPerPixel() const;

  const Rgb& operator[](std::size_t index) const { return m_colors[index]; }
  std::span<const Rgb> Colors() const { return m_colors; }
  // The colour at index, or black when the index lies beyond the table.
  Rgb ColorOrBlack(std::size_t index) const { return index < m_colors.size() ? m_colors[index] : Rgb{}; }

  // Replaces the entries (at most 256 are kept) and clears the sorted flag.
  void Assign(std::span<const Rgb> colors);
  void Clear();

  bool Sorted() const { return m_sorted; }
  void SetSorted(bool sorted) { m_sorted = sorted; }

 private:
  std::vector<Rgb> m_colors;
  bool m_sorted = false;
};

}  // namespace sf
