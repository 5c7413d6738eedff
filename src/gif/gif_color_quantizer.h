// An octree colour quantiser: every colour of a picture goes into an octree
// of full 8-bit precision, and the subtrees whose merging adds the least
// squared error are merged until at most the wanted number of colours remain.
//   TColorQuantizer quantizer(256);  quantizer.AddColors(picture);
//   const std::vector<Rgb> palette = quantizer.Palette();   // 256 entries, unused ones black
#pragma once

#include <cstdint>
#include <vector>

#include "image/bitmap.h"

namespace sf {

class TColorQuantizer {
 public:
  explicit TColorQuantizer(int max_colors);
  ~TColorQuantizer();
  TColorQuantizer(const TColorQuantizer&) = delete;
  TColorQuantizer& operator=(const TColorQuantizer&) = delete;

  void AddColor(Rgb color, std::uint64_t weight = 1);
  void AddColors(const Bitmap& picture);
  // Exactly max_colors entries: the merged colours (means of their pixels),
  // then black for the entries not needed.
  std::vector<Rgb> Palette();

 private:
  struct Node;
  int NewNode(int parent, int level);
  bool Reducible(int node) const;
  double MergeCost(int node) const;
  void Merge(int node);
  void ReduceTo(int leaves);

  int m_max_colors;
  std::vector<Node> m_nodes;
  std::vector<int> m_free;
  int m_leaves = 0;
};

// The picture as an 8-bit bitmap of the same size with the given palette, each
// pixel the nearest palette colour (lowest index on a tie).
Bitmap MapToPalette(const Bitmap& picture, const std::vector<Rgb>& palette);

}  // namespace sf
