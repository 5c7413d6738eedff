#include "gif/gif_wu_quantizer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace sf {

ColorHistogram::ColorHistogram() : m_cells(kCells) {}

void ColorHistogram::Add(Rgb color, std::uint32_t count) {
  Cell& cell = m_cells[static_cast<std::size_t>(IndexOf(color))];
  const double w = count;
  cell.weight += w;
  cell.r += w * color.r;
  cell.g += w * color.g;
  cell.b += w * color.b;
  cell.squares += w * (color.r * color.r + color.g * color.g + color.b * color.b);
  m_total += count;
}

void ColorHistogram::Merge(const ColorHistogram& other) {
  for (std::size_t i = 0; i < m_cells.size(); ++i) {
    const Cell& from = other.m_cells[i];
    if (from.weight == 0) continue;
    Cell& cell = m_cells[i];
    cell.weight += from.weight;
    cell.r += from.r;
    cell.g += from.g;
    cell.b += from.b;
    cell.squares += from.squares;
  }
  m_total += other.m_total;
}

std::vector<int> ColorHistogram::Occupied() const {
  std::vector<int> occupied;
  for (int i = 0; i < kCells; ++i) {
    if (m_cells[static_cast<std::size_t>(i)].weight > 0) occupied.push_back(i);
  }
  return occupied;
}

int NearestIndex(std::span<const Rgb> palette, int r, int g, int b) {
  int best = 0;
  int best_distance = std::numeric_limits<int>::max();
  for (std::size_t i = 0; i < palette.size(); ++i) {
    const int dr = r - palette[i].r;
    const int dg = g - palette[i].g;
    const int db = b - palette[i].b;
    const int distance = dr * dr + dg * dg + db * db;
    if (distance < best_distance) {
      best_distance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

namespace {

constexpr int kSide = ColorHistogram::kSide + 1;   // the moments have a zero plane in front

// Cumulative moments over [1, r] x [1, g] x [1, b], as in Wu's method.
struct Moments {
  std::vector<double> w, r, g, b, m2;
  Moments() : w(Size()), r(Size()), g(Size()), b(Size()), m2(Size()) {}
  static std::size_t Size() { return static_cast<std::size_t>(kSide) * kSide * kSide; }
  static std::size_t At(int ri, int gi, int bi) { return (static_cast<std::size_t>(ri) * kSide + gi) * kSide + bi; }
};

Moments MomentsOf(const ColorHistogram& histogram) {
  Moments m;
  for (int ri = 1; ri < kSide; ++ri) {
    for (int gi = 1; gi < kSide; ++gi) {
      for (int bi = 1; bi < kSide; ++bi) {
        const ColorHistogram::Cell& cell = histogram.At(((ri - 1) << 10) | ((gi - 1) << 5) | (bi - 1));
        const std::size_t i = Moments::At(ri, gi, bi);
        m.w[i] = cell.weight;
        m.r[i] = cell.r;
        m.g[i] = cell.g;
        m.b[i] = cell.b;
        m.m2[i] = cell.squares;
      }
    }
  }
  // Sums along each axis in turn make every entry the sum of its lower box.
  const auto accumulate = [](std::vector<double>& v) {
    for (int ri = 1; ri < kSide; ++ri)
      for (int gi = 1; gi < kSide; ++gi)
        for (int bi = 2; bi < kSide; ++bi) v[Moments::At(ri, gi, bi)] += v[Moments::At(ri, gi, bi - 1)];
    for (int ri = 1; ri < kSide; ++ri)
      for (int gi = 2; gi < kSide; ++gi)
        for (int bi = 1; bi < kSide; ++bi) v[Moments::At(ri, gi, bi)] += v[Moments::At(ri, gi - 1, bi)];
    for (int ri = 2; ri < kSide; ++ri)
      for (int gi = 1; gi < kSide; ++gi)
        for (int bi = 1; bi < kSide; ++bi) v[Moments::At(ri, gi, bi)] += v[Moments::At(ri - 1, gi, bi)];
  };
  accumulate(m.w);
  accumulate(m.r);
  accumulate(m.g);
  accumulate(m.b);
  accumulate(m.m2);
  return m;
}

// A box of cells (lo, hi], in moment coordinates.
struct Box {
  int r0, r1, g0, g1, b0, b1;
};

double Volume(const Box& c, const std::vector<double>& v) {
  return v[Moments::At(c.r1, c.g1, c.b1)] - v[Moments::At(c.r1, c.g1, c.b0)] - v[Moments::At(c.r1, c.g0, c.b1)] +
         v[Moments::At(c.r1, c.g0, c.b0)] - v[Moments::At(c.r0, c.g1, c.b1)] + v[Moments::At(c.r0, c.g1, c.b0)] +
         v[Moments::At(c.r0, c.g0, c.b1)] - v[Moments::At(c.r0, c.g0, c.b0)];
}

struct Sums {
  double w, r, g, b;
};

Sums SumsOf(const Box& c, const Moments& m) { return {Volume(c, m.w), Volume(c, m.r), Volume(c, m.g), Volume(c, m.b)}; }

// The squared error of the box's colours around their mean.
double Variance(const Box& c, const Moments& m) {
  const Sums s = SumsOf(c, m);
  if (s.w <= 0) return 0;
  return Volume(c, m.m2) - (s.r * s.r + s.g * s.g + s.b * s.b) / s.w;
}

// Where to cut the box along one axis (0 red, 1 green, 2 blue) so that the two
// halves' sums of squared means are largest; -1 when it cannot be cut.
struct Cut {
  double gain = 0;
  int position = -1;
};

Cut BestCut(const Box& box, int axis, const Moments& m, const Sums& whole) {
  Cut best;
  const int lo = axis == 0 ? box.r0 : axis == 1 ? box.g0 : box.b0;
  const int hi = axis == 0 ? box.r1 : axis == 1 ? box.g1 : box.b1;
  for (int position = lo + 1; position < hi; ++position) {
    Box half = box;
    if (axis == 0) half.r1 = position;
    if (axis == 1) half.g1 = position;
    if (axis == 2) half.b1 = position;
    const Sums a = SumsOf(half, m);
    const double bw = whole.w - a.w;
    if (a.w <= 0 || bw <= 0) continue;
    const double br = whole.r - a.r, bg = whole.g - a.g, bb = whole.b - a.b;
    const double gain = (a.r * a.r + a.g * a.g + a.b * a.b) / a.w + (br * br + bg * bg + bb * bb) / bw;
    if (gain > best.gain) best = {gain, position};
  }
  return best;
}

// Cuts box in two along its best axis; false when no cut separates colours.
bool CutBox(Box& box, Box& other, const Moments& m) {
  const Sums whole = SumsOf(box, m);
  int axis = -1;
  Cut best;
  for (int a = 0; a < 3; ++a) {
    const Cut cut = BestCut(box, a, m, whole);
    if (cut.position >= 0 && cut.gain > best.gain) {
      best = cut;
      axis = a;
    }
  }
  if (axis < 0) return false;
  other = box;
  if (axis == 0) box.r1 = other.r0 = best.position;
  if (axis == 1) box.g1 = other.g0 = best.position;
  if (axis == 2) box.b1 = other.b0 = best.position;
  return true;
}

Rgb MeanOf(double w, double r, double g, double b) {
  const auto channel = [w](double sum) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(sum / w), 0L, 255L));
  };
  return {channel(r), channel(g), channel(b)};
}

void RefineKMeans(const ColorHistogram& histogram, std::span<const int> occupied, std::vector<Rgb>& palette,
                  int passes) {
  std::vector<Rgb> means(occupied.size());
  for (std::size_t i = 0; i < occupied.size(); ++i) {
    const ColorHistogram::Cell& cell = histogram.At(occupied[i]);
    means[i] = MeanOf(cell.weight, cell.r, cell.g, cell.b);
  }
  for (int pass = 0; pass < passes; ++pass) {
    std::vector<double> w(palette.size()), r(palette.size()), g(palette.size()), b(palette.size());
    for (std::size_t i = 0; i < occupied.size(); ++i) {
      const std::size_t k = static_cast<std::size_t>(NearestIndex(palette, means[i].r, means[i].g, means[i].b));
      const ColorHistogram::Cell& cell = histogram.At(occupied[i]);
      w[k] += cell.weight;
      r[k] += cell.r;
      g[k] += cell.g;
      b[k] += cell.b;
    }
    // An entry nobody is nearest to keeps its colour.
    for (std::size_t k = 0; k < palette.size(); ++k) {
      if (w[k] > 0) palette[k] = MeanOf(w[k], r[k], g[k], b[k]);
    }
  }
}

}  // namespace

double PaletteError(const ColorHistogram& histogram, std::span<const int> occupied, std::span<const Rgb> palette) {
  double error = 0;
  for (const int index : occupied) {
    const ColorHistogram::Cell& cell = histogram.At(index);
    const Rgb mean = MeanOf(cell.weight, cell.r, cell.g, cell.b);
    const Rgb shown = palette[static_cast<std::size_t>(NearestIndex(palette, mean.r, mean.g, mean.b))];
    const double dr = mean.r - shown.r, dg = mean.g - shown.g, db = mean.b - shown.b;
    error += cell.weight * (dr * dr + dg * dg + db * db);
  }
  return error;
}

namespace {

// The boxes after every cut, as long as a ladder size is reached: the boxes
// with count colours are kept for each count in sizes.
std::vector<std::vector<Box>> CutBoxes(const Moments& m, std::span<const int> sizes, double allowed_error) {
  std::vector<std::vector<Box>> kept;
  std::vector<Box> boxes{{0, kSide - 1, 0, kSide - 1, 0, kSide - 1}};
  std::vector<double> variance{Variance(boxes[0], m)};
  double total = variance[0];
  std::size_t next_size = 0;
  const int largest = sizes.back();
  for (;;) {
    while (next_size < sizes.size() && static_cast<int>(boxes.size()) >= sizes[next_size]) {
      kept.push_back(boxes);
      ++next_size;
      if (total <= allowed_error) return kept;
    }
    if (static_cast<int>(boxes.size()) >= largest) break;
    const auto worst = std::max_element(variance.begin(), variance.end());
    if (*worst <= 0) break;
    const std::size_t i = static_cast<std::size_t>(worst - variance.begin());
    Box other{};
    if (!CutBox(boxes[i], other, m)) {
      total -= variance[i];
      variance[i] = 0;   // a single cell: nothing left to cut
      continue;
    }
    boxes.push_back(other);
    total -= variance[i];
    variance[i] = Variance(boxes[i], m);
    variance.push_back(Variance(other, m));
    total += variance[i] + variance.back();
  }
  kept.push_back(boxes);   // fewer colours than asked: every cell has its box
  return kept;
}

std::vector<Rgb> PaletteOf(const std::vector<Box>& boxes, const Moments& m, const ColorHistogram& histogram,
                           std::span<const int> occupied, int kmeans_passes) {
  std::vector<Rgb> palette;
  palette.reserve(boxes.size());
  for (const Box& box : boxes) {
    const Sums s = SumsOf(box, m);
    if (s.w > 0) palette.push_back(MeanOf(s.w, s.r, s.g, s.b));
  }
  RefineKMeans(histogram, occupied, palette, kmeans_passes);
  std::sort(palette.begin(), palette.end(), [](const Rgb& a, const Rgb& b) { return ToColorRef(a) < ToColorRef(b); });
  palette.erase(std::unique(palette.begin(), palette.end()), palette.end());
  return palette;
}

}  // namespace

std::vector<Rgb> QuantizeWu(const ColorHistogram& histogram, int max_colors, int kmeans_passes) {
  max_colors = std::clamp(max_colors, 1, 256);
  const std::vector<int> occupied = histogram.Occupied();
  if (occupied.empty()) return {Rgb{}};
  const Moments m = MomentsOf(histogram);
  const int sizes[] = {max_colors};
  return PaletteOf(CutBoxes(m, sizes, -1.0).back(), m, histogram, occupied, kmeans_passes);
}

std::vector<Rgb> QuantizeWuWithin(const ColorHistogram& histogram, int limit, double allowed_error,
                                  int kmeans_passes) {
  limit = std::clamp(limit, 1, 256);
  const std::vector<int> occupied = histogram.Occupied();
  if (occupied.empty()) return {Rgb{}};
  const Moments m = MomentsOf(histogram);
  // 16, 32 ... or, for an odd limit, 15, 31 ...: the codes of the table with
  // its extra entry stay as narrow.
  std::vector<int> sizes;
  const int odd = limit % 2;
  for (int n = 16 - odd; n < limit; n = 2 * n + odd) sizes.push_back(n);
  sizes.push_back(limit);
  return PaletteOf(CutBoxes(m, sizes, allowed_error).back(), m, histogram, occupied, kmeans_passes);
}

}  // namespace sf
