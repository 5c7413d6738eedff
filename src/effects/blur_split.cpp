#include "effects/blur_split.h"

#include <cstdint>

namespace sf {

namespace {

// The partner rows or columns of position i (of count) at distance v >= 1.
int Before(std::int64_t i, std::int64_t v) { return static_cast<int>(i - v >= 0 ? i - v : i); }
int AfterRow(std::int64_t i, std::int64_t v, std::int64_t count) {
  return static_cast<int>(i + v < count ? i + v : count - 1 - i);
}
// Columns mirror as count - i, which for the first column names the one past
// the last; the last column stands in for it.
int AfterColumn(std::int64_t i, std::int64_t v, std::int64_t count) {
  if (i + v < count) return static_cast<int>(i + v);
  return static_cast<int>(i == 0 ? count - 1 : count - i);
}

}  // namespace

void BlurSplit(Bitmap& picture, int value) {
  if (value <= 0) return;
  const int width = picture.Width();
  const int height = picture.Height();
  for (int y = 0; y < height; ++y) {
    // Either row may be this one or one already blurred: the contents are
    // read as they are at that moment.
    const std::uint8_t* upper = picture.Row(Before(y, value)).data();
    const std::uint8_t* lower = picture.Row(AfterRow(y, value, height)).data();
    std::uint8_t* row = picture.Row(y).data();
    for (int x = 0; x < width; ++x) {
      const int left = 3 * Before(x, value);
      const int right = 3 * AfterColumn(x, value, width);
      for (int c = 0; c < 3; ++c) {
        const int sum = upper[left + c] + lower[left + c] + upper[right + c] + lower[right + c];
        row[3 * x + c] = static_cast<std::uint8_t>(sum >> 2);
      }
    }
  }
}

}  // namespace sf
