// Merging every colour table of a GIF image into one global table of at most
// 256 colours, the most used first, and rewriting every frame's indices into
// it; the transparent colour of all frames becomes one extra black entry.
//   TColorMapOptimizer(image).Optimize();   // what TGIFImage::OptimizeColorMap does
#pragma once

#include <cstdint>
#include <vector>

#include "image/color.h"

namespace sf {

class TGIFImage;
class TGIFSubImage;
class TGIFColorMap;

class TColorMapOptimizer {
 public:
  explicit TColorMapOptimizer(TGIFImage& image) : m_image(image) {}
  void Optimize();

 private:
  // One table's use counts, with the frames counted in it.
  struct Histogram {
    const TGIFColorMap* table = nullptr;
    std::vector<std::uint64_t> counts;  // by old index
    std::vector<TGIFSubImage*> frames;
    std::vector<int> new_index;         // by old index
  };
  // One used colour of one histogram in the merged list.
  struct Item {
    Rgb color;
    int histogram = 0;
    int old_index = 0;
    std::uint64_t count = 0;
    int merged_into = -1;
    int new_index = 0;
  };

  void CountFrame(TGIFSubImage& frame, Histogram& histogram);
  void CollectItems();
  void MergeEqualColors();
  std::vector<Rgb> ChooseColors();
  void RewriteFrames(int transparent_index);

  TGIFImage& m_image;
  std::vector<Histogram> m_histograms;
  std::vector<Item> m_items;
  bool m_transparency_used = false;
};

}  // namespace sf
