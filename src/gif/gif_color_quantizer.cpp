#include "gif/gif_color_quantizer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <queue>
#include <utility>

namespace sf {

namespace {

constexpr int kDepth = 8;
// Leaves kept while colours are added: many more than the palette holds, so the
// final merges choose among fine clusters, and few enough to stay small.
constexpr int kWorkingLeaves = 4096;

int ChildSlot(Rgb c, int level) {
  const int shift = kDepth - 1 - level;
  return (((c.r >> shift) & 1) << 2) | (((c.g >> shift) & 1) << 1) | ((c.b >> shift) & 1);
}

// The exact nearest palette entry (squared distance, lowest index on a tie).
// Entries are searched outwards from the query's green value and the search
// stops once the green difference alone exceeds the best distance; colours
// already answered are remembered.
class NearestPaletteSearch {
 public:
  explicit NearestPaletteSearch(const std::vector<Rgb>& palette) : m_cache(kCacheSize, 0) {
    for (std::size_t i = 0; i < palette.size(); ++i) m_entries.push_back({palette[i], static_cast<int>(i)});
    std::stable_sort(m_entries.begin(), m_entries.end(),
                     [](const Entry& a, const Entry& b) { return a.color.g < b.color.g; });
    std::size_t k = 0;
    for (int g = 0; g < 256; ++g) {
      while (k < m_entries.size() && m_entries[k].color.g < g) ++k;
      m_start[static_cast<std::size_t>(g)] = k;
    }
  }

  std::uint8_t Find(Rgb c) {
    const std::uint32_t key = ToColorRef(c);
    const std::size_t slot = (key ^ (key >> 12) ^ (key >> 19)) & (kCacheSize - 1);
    if ((m_cache[slot] >> 8) == key + 1) return static_cast<std::uint8_t>(m_cache[slot] & 0xFF);
    const std::uint8_t best = Search(c);
    m_cache[slot] = (static_cast<std::uint64_t>(key + 1) << 8) | best;
    return best;
  }

 private:
  struct Entry {
    Rgb color;
    int index;
  };
  static constexpr std::size_t kCacheSize = std::size_t{1} << 16;

  std::uint8_t Search(Rgb c) const {
    int best_index = 0;
    int best = std::numeric_limits<int>::max();
    const auto consider = [&](const Entry& e) {
      const int dr = e.color.r - c.r, dg = e.color.g - c.g, db = e.color.b - c.b;
      const int d = dr * dr + dg * dg + db * db;
      if (d < best || (d == best && e.index < best_index)) {
        best = d;
        best_index = e.index;
      }
    };
    const std::size_t start = m_start[c.g];
    for (std::size_t k = start; k < m_entries.size(); ++k) {
      const int dg = m_entries[k].color.g - c.g;
      if (dg * dg > best) break;
      consider(m_entries[k]);
    }
    for (std::size_t k = start; k-- > 0;) {
      const int dg = c.g - m_entries[k].color.g;
      if (dg * dg > best) break;
      consider(m_entries[k]);
    }
    return static_cast<std::uint8_t>(best_index);
  }

  std::vector<Entry> m_entries;
  std::array<std::size_t, 256> m_start{};
  std::vector<std::uint64_t> m_cache;
};

}  // namespace

struct TColorQuantizer::Node {
  int children[8] = {-1, -1, -1, -1, -1, -1, -1, -1};
  int parent = -1;
  int level = 0;
  bool leaf = false;
  bool alive = true;
  std::uint64_t count = 0;
  std::uint64_t sum_r = 0;
  std::uint64_t sum_g = 0;
  std::uint64_t sum_b = 0;
};

TColorQuantizer::TColorQuantizer(int max_colors) : m_max_colors(std::max(max_colors, 1)) { NewNode(-1, 0); }

TColorQuantizer::~TColorQuantizer() = default;

int TColorQuantizer::NewNode(int parent, int level) {
  Node node;
  node.parent = parent;
  node.level = level;
  node.leaf = level == kDepth;
  if (node.leaf) ++m_leaves;
  if (!m_free.empty()) {
    const int index = m_free.back();
    m_free.pop_back();
    m_nodes[static_cast<std::size_t>(index)] = node;
    return index;
  }
  m_nodes.push_back(node);
  return static_cast<int>(m_nodes.size()) - 1;
}

void TColorQuantizer::AddColor(Rgb color, std::uint64_t weight) {
  int node = 0;
  while (!m_nodes[static_cast<std::size_t>(node)].leaf) {
    const int level = m_nodes[static_cast<std::size_t>(node)].level;
    const int slot = ChildSlot(color, level);
    int child = m_nodes[static_cast<std::size_t>(node)].children[slot];
    if (child < 0) {
      child = NewNode(node, level + 1);
      m_nodes[static_cast<std::size_t>(node)].children[slot] = child;
    }
    node = child;
  }
  Node& leaf = m_nodes[static_cast<std::size_t>(node)];
  leaf.count += weight;
  leaf.sum_r += weight * color.r;
  leaf.sum_g += weight * color.g;
  leaf.sum_b += weight * color.b;
  if (m_leaves > kWorkingLeaves) ReduceTo(kWorkingLeaves * 3 / 4);
}

void TColorQuantizer::AddColors(const Bitmap& picture) {
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(picture.Width()) * 3);
  for (int y = 0; y < picture.Height(); ++y) {
    picture.ReadRowBgr(y, bgr);
    // Runs of one colour go in as one weighted colour.
    for (int x = 0; x < picture.Width();) {
      const Rgb c{bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]};
      int run = 1;
      while (x + run < picture.Width() &&
             Rgb{bgr[3 * (x + run) + 2], bgr[3 * (x + run) + 1], bgr[3 * (x + run)]} == c) {
        ++run;
      }
      AddColor(c, static_cast<std::uint64_t>(run));
      x += run;
    }
  }
}

bool TColorQuantizer::Reducible(int index) const {
  const Node& node = m_nodes[static_cast<std::size_t>(index)];
  if (!node.alive || node.leaf) return false;
  for (const int child : node.children) {
    if (child >= 0 && !m_nodes[static_cast<std::size_t>(child)].leaf) return false;
  }
  return true;
}

// The squared error merging the children adds: sum |S_c|^2 / n_c - |S|^2 / n
// over the children's colour sums S_c and counts n_c.
double TColorQuantizer::MergeCost(int index) const {
  const Node& node = m_nodes[static_cast<std::size_t>(index)];
  double split = 0;
  double r = 0, g = 0, b = 0, n = 0;
  for (const int child : node.children) {
    if (child < 0) continue;
    const Node& c = m_nodes[static_cast<std::size_t>(child)];
    if (c.count == 0) continue;
    const double cr = static_cast<double>(c.sum_r), cg = static_cast<double>(c.sum_g),
                 cb = static_cast<double>(c.sum_b), cn = static_cast<double>(c.count);
    split += (cr * cr + cg * cg + cb * cb) / cn;
    r += cr;
    g += cg;
    b += cb;
    n += cn;
  }
  return n == 0 ? 0 : split - (r * r + g * g + b * b) / n;
}

void TColorQuantizer::Merge(int index) {
  Node merged = m_nodes[static_cast<std::size_t>(index)];
  int children = 0;
  for (int& child : merged.children) {
    if (child < 0) continue;
    Node& c = m_nodes[static_cast<std::size_t>(child)];
    merged.count += c.count;
    merged.sum_r += c.sum_r;
    merged.sum_g += c.sum_g;
    merged.sum_b += c.sum_b;
    c.alive = false;
    m_free.push_back(child);
    child = -1;
    ++children;
  }
  merged.leaf = true;
  m_nodes[static_cast<std::size_t>(index)] = merged;
  m_leaves -= children - 1;
}

void TColorQuantizer::ReduceTo(int leaves) {
  using Candidate = std::pair<double, int>;
  std::priority_queue<Candidate, std::vector<Candidate>, std::greater<>> queue;
  for (int i = 0; i < static_cast<int>(m_nodes.size()); ++i) {
    if (Reducible(i)) queue.emplace(MergeCost(i), i);
  }
  while (m_leaves > leaves && !queue.empty()) {
    const int node = queue.top().second;
    queue.pop();
    Merge(node);
    const int parent = m_nodes[static_cast<std::size_t>(node)].parent;
    if (parent >= 0 && Reducible(parent)) queue.emplace(MergeCost(parent), parent);
  }
}

std::vector<Rgb> TColorQuantizer::Palette() {
  ReduceTo(m_max_colors);
  std::vector<Rgb> palette;
  palette.reserve(static_cast<std::size_t>(m_max_colors));
  for (const Node& node : m_nodes) {
    if (!node.alive || !node.leaf || node.count == 0) continue;
    const auto mean = [&node](std::uint64_t sum) {
      return static_cast<std::uint8_t>((sum + node.count / 2) / node.count);
    };
    palette.push_back(Rgb{mean(node.sum_r), mean(node.sum_g), mean(node.sum_b)});
  }
  palette.resize(static_cast<std::size_t>(m_max_colors), Rgb{0, 0, 0});
  return palette;
}

Bitmap MapToPalette(const Bitmap& picture, const std::vector<Rgb>& palette) {
  Bitmap out(picture.Width(), picture.Height(), PixelFormat::kBits8);
  out.SetPalette(palette);
  NearestPaletteSearch search(palette);
  std::vector<std::uint8_t> bgr(static_cast<std::size_t>(picture.Width()) * 3);
  for (int y = 0; y < picture.Height(); ++y) {
    picture.ReadRowBgr(y, bgr);
    auto row = out.Row(y);
    for (int x = 0; x < picture.Width(); ++x) row[x] = search.Find(Rgb{bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]});
  }
  return out;
}

}  // namespace sf
