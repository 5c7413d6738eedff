#include "gif/gif_color_map_optimizer.h"

#include <algorithm>
#include <cstdlib>
#include <numeric>

#include "gif/gif_image.h"

namespace sf {

namespace {

constexpr int kMaxColors = 256;
// No brightness-sum difference reaches this; the first kept colour closer wins.
constexpr int kFarthest = 765;

int SumDistance(Rgb a, Rgb b) { return std::abs((a.r - b.r) + (a.g - b.g) + (a.b - b.b)); }

}  // namespace

void TColorMapOptimizer::Optimize() {
  TGIFColorMap& global = m_image.GlobalColorMap();
  Histogram global_histogram;
  global_histogram.table = &global;
  global_histogram.counts.assign(static_cast<std::size_t>(global.Count()), 0);
  for (int i = 0; i < m_image.Count(); ++i) {
    TGIFSubImage& frame = m_image.Frame(i);
    if (frame.Empty()) continue;
    if (!frame.ColorMap().Empty()) {
      Histogram local;
      local.table = &frame.ColorMap();
      local.counts.assign(static_cast<std::size_t>(frame.ColorMap().Count()), 0);
      CountFrame(frame, local);
      m_histograms.push_back(std::move(local));
    } else if (!global.Empty()) {
      CountFrame(frame, global_histogram);
    }
  }
  if (!global_histogram.frames.empty()) m_histograms.insert(m_histograms.begin(), std::move(global_histogram));

  CollectItems();
  MergeEqualColors();
  std::vector<Rgb> colors = ChooseColors();
  const int transparent_index = static_cast<int>(colors.size());
  if (m_transparency_used) colors.push_back(Rgb{0, 0, 0});

  for (int i = 0; i < m_image.Count(); ++i) m_image.Frame(i).ColorMap().Clear();
  global.Assign(colors);
  global.SetSorted(!colors.empty());
  RewriteFrames(transparent_index);
  for (int i = 0; i < m_image.Count(); ++i) m_image.Frame(i).FreeBitmap();
  m_image.FreeStill();
}

// Every pixel counts one use of its index, except transparent pixels; an index
// beyond the table becomes 0. A transparent frame without a transparent pixel
// becomes opaque.
void TColorMapOptimizer::CountFrame(TGIFSubImage& frame, Histogram& histogram) {
  const bool transparent = frame.Transparent();
  const int transparent_index = transparent ? frame.GraphicControlExtension()->GetTransparentColorIndex() : -1;
  const std::size_t table_size = histogram.counts.size();
  bool out_of_table = false;
  bool has_transparent_pixel = false;
  for (std::uint8_t& index : frame.MutableData()) {
    if (index >= table_size) {
      index = 0;
      out_of_table = true;
    }
    if (index == transparent_index) {
      has_transparent_pixel = true;
      continue;
    }
    ++histogram.counts[index];
  }
  if (out_of_table) m_image.Warning("Color not in color table");
  if (transparent && !has_transparent_pixel) {
    frame.GraphicControlExtension()->SetTransparent(false);
    frame.GraphicControlExtension()->SetTransparentColorIndex(0);
  }
  if (has_transparent_pixel) m_transparency_used = true;
  histogram.frames.push_back(&frame);
}

// Each histogram's used entries, most used first (ties in table order).
void TColorMapOptimizer::CollectItems() {
  for (std::size_t h = 0; h < m_histograms.size(); ++h) {
    const Histogram& histogram = m_histograms[h];
    std::vector<int> order(histogram.counts.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&histogram](int a, int b) { return histogram.counts[a] > histogram.counts[b]; });
    for (const int index : order) {
      if (histogram.counts[index] == 0) break;
      m_items.push_back(Item{(*histogram.table)[static_cast<std::size_t>(index)], static_cast<int>(h), index,
                             histogram.counts[index]});
    }
  }
}

// Entries of one colour become one: the first takes the run's total count and
// the others refer to it.
void TColorMapOptimizer::MergeEqualColors() {
  std::vector<int> order(m_items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) {
    return ToColorRef(m_items[a].color) < ToColorRef(m_items[b].color);
  });
  for (std::size_t i = 1; i < order.size(); ++i) {
    Item& item = m_items[order[i]];
    const int previous = order[i - 1];
    const int first = m_items[previous].merged_into >= 0 ? m_items[previous].merged_into : previous;
    if (!(m_items[first].color == item.color)) continue;
    m_items[first].count += item.count;
    item.count = 0;
    item.merged_into = first;
  }
}

// The most used colours get the new indices 0, 1, ...; the rest map to the kept
// colour of nearest brightness sum. Returns the new table.
std::vector<Rgb> TColorMapOptimizer::ChooseColors() {
  std::vector<int> order(m_items.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return m_items[a].count > m_items[b].count; });
  const std::size_t limit = m_transparency_used ? kMaxColors - 1 : kMaxColors;
  std::vector<Rgb> kept;
  std::size_t i = 0;
  for (; i < order.size() && kept.size() < limit && m_items[order[i]].count > 0; ++i) {
    m_items[order[i]].new_index = static_cast<int>(kept.size());
    kept.push_back(m_items[order[i]].color);
  }
  for (; i < order.size() && m_items[order[i]].count > 0; ++i) {
    Item& item = m_items[order[i]];
    int best = kFarthest;
    for (std::size_t k = 0; k < kept.size(); ++k) {
      const int distance = SumDistance(item.color, kept[k]);
      if (distance < best) {
        best = distance;
        item.new_index = static_cast<int>(k);
      }
    }
  }
  for (Item& item : m_items) {
    if (item.merged_into >= 0) item.new_index = m_items[item.merged_into].new_index;
  }
  return kept;
}

void TColorMapOptimizer::RewriteFrames(int transparent_index) {
  for (Histogram& histogram : m_histograms) histogram.new_index.assign(histogram.counts.size(), 0);
  for (const Item& item : m_items) {
    m_histograms[static_cast<std::size_t>(item.histogram)].new_index[static_cast<std::size_t>(item.old_index)] =
        item.new_index;
  }
  for (const Histogram& histogram : m_histograms) {
    for (TGIFSubImage* frame : histogram.frames) {
      const bool transparent = m_transparency_used && frame->Transparent();
      const int old_transparent = transparent ? frame->GraphicControlExtension()->GetTransparentColorIndex() : -1;
      for (std::uint8_t& index : frame->MutableData()) {
        index = static_cast<std::uint8_t>(index == old_transparent ? transparent_index : histogram.new_index[index]);
      }
      if (transparent) {
        frame->GraphicControlExtension()->SetTransparentColorIndex(static_cast<std::uint8_t>(transparent_index));
      }
    }
  }
}

}  // namespace sf
