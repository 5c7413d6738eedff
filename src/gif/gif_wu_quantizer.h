// A variance-based colour quantiser (Wu's): the colours of a picture go into a
// 32 x 32 x 32 histogram with their moments, the colour cube is cut into boxes,
// always cutting the box whose cut removes the most squared error, and the box
// means become the palette. A few k-means passes over the histogram's cells
// then move each entry to the mean of the colours nearest to it.
//   ColorHistogram histogram;  histogram.Add(rgb, count);
//   const std::vector<Rgb> palette = QuantizeWu(histogram, 255);
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "image/color.h"

namespace sf {

// Counts and colour sums per cell of 5 bits per component.
class ColorHistogram {
 public:
  static constexpr int kSide = 32;
  static constexpr int kCells = kSide * kSide * kSide;

  ColorHistogram();
  void Add(Rgb color, std::uint32_t count = 1);
  void Merge(const ColorHistogram& other);
  std::uint64_t Total() const { return m_total; }

  struct Cell {
    double weight = 0;
    double r = 0, g = 0, b = 0;   // sums of the components
    double squares = 0;           // sum of r^2 + g^2 + b^2
  };
  const Cell& At(int index) const { return m_cells[static_cast<std::size_t>(index)]; }
  static int IndexOf(Rgb color) { return ((color.r >> 3) << 10) | ((color.g >> 3) << 5) | (color.b >> 3); }
  // The cells holding colours, by index.
  std::vector<int> Occupied() const;

 private:
  std::vector<Cell> m_cells;
  std::uint64_t m_total = 0;
};

// At most max_colors (1..256) colours; fewer when the histogram holds fewer
// distinct cells. An empty histogram gives one black entry.
std::vector<Rgb> QuantizeWu(const ColorHistogram& histogram, int max_colors, int kmeans_passes = 3);

// The fewest colours of the ladder 16, 32, 64 ... limit (15, 31 ... for an
// odd limit) whose boxes keep the squared error (summed over all pixels and
// components) at or below allowed_error; limit colours when none does.
std::vector<Rgb> QuantizeWuWithin(const ColorHistogram& histogram, int limit, double allowed_error,
                                  int kmeans_passes = 3);

// The index of the palette entry nearest to color (squared distance); the
// first of equals.
int NearestIndex(std::span<const Rgb> palette, int r, int g, int b);

// The squared error summed over the histogram's cells when every cell's mean
// colour is shown as its nearest palette entry (the spread inside a cell is the
// same for every palette and left out).
double PaletteError(const ColorHistogram& histogram, std::span<const int> occupied, std::span<const Rgb> palette);


}  // namespace sf
