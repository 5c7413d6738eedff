#include "image/bmp_rle.h"

#include <algorithm>

namespace sf {

namespace {

// Walks the codes and places pixels; x and y may run past the bitmap (deltas,
// long runs), and such pixels are dropped.
class RleCursor {
 public:
  RleCursor(Bitmap& target, int bits, bool top_down) : m_target(target), m_bits(bits), m_top_down(top_down) {}

  bool Finished() const { return m_y >= m_target.Height(); }
  void EndOfLine() {
    m_x = 0;
    ++m_y;
  }
  void Move(int dx, int dy) {
    m_x += dx;
    m_y += dy;
  }
  // One pixel: a palette index for RLE8/RLE4, blue-green-red bytes for RLE24.
  void Put(const std::uint8_t* value) {
    if (m_x < m_target.Width() && !Finished()) {
      const int row = m_top_down ? static_cast<int>(m_y) : m_target.Height() - 1 - static_cast<int>(m_y);
      const int x = static_cast<int>(m_x);
      if (m_bits == 24) {
        auto out = m_target.Row(row).subspan(3 * static_cast<std::size_t>(x), 3);
        std::copy_n(value, 3, out.begin());
      } else {
        m_target.SetPixelIndex(x, row, *value);
      }
    }
    ++m_x;
  }

 private:
  Bitmap& m_target;
  int m_bits;
  bool m_top_down;
  long long m_x = 0;
  long long m_y = 0;
};

// An encoded run of count pixels from the value bytes that follow the count.
void PutRun(RleCursor& cursor, int bits, int count, const std::uint8_t* value) {
  for (int i = 0; i < count; ++i) {
    if (bits == 4) {
      const std::uint8_t index = (i & 1) ? (value[0] & 0x0F) : (value[0] >> 4);
      cursor.Put(&index);
    } else {
      cursor.Put(value);
    }
  }
}

// Literal pixels; returns the bytes used, padded to a whole 16-bit word.
std::size_t PutLiteral(RleCursor& cursor, int bits, int count, std::span<const std::uint8_t> data) {
  const std::size_t wanted = bits == 4 ? (static_cast<std::size_t>(count) + 1) / 2
                                       : static_cast<std::size_t>(count) * static_cast<std::size_t>(bits / 8);
  const std::size_t present = std::min(wanted, data.size());
  for (int i = 0; i < count; ++i) {
    if (bits == 4) {
      if (static_cast<std::size_t>(i / 2) >= present) break;
      const std::uint8_t byte = data[i / 2];
      const std::uint8_t index = (i & 1) ? (byte & 0x0F) : (byte >> 4);
      cursor.Put(&index);
    } else {
      const std::size_t at = static_cast<std::size_t>(i) * static_cast<std::size_t>(bits / 8);
      if (at + bits / 8 > present) break;
      cursor.Put(data.data() + at);
    }
  }
  return wanted + (wanted & 1);
}

}  // namespace

void DecodeBmpRle(std::span<const std::uint8_t> data, int bits, bool top_down, Bitmap& target) {
  RleCursor cursor(target, bits, top_down);
  const std::size_t value_size = bits == 24 ? 3 : 1;
  std::size_t pos = 0;
  while (!cursor.Finished() && pos + 2 <= data.size()) {
    const int count = data[pos];
    if (count > 0) {
      if (pos + 1 + value_size > data.size()) return;
      PutRun(cursor, bits, count, data.data() + pos + 1);
      pos += 1 + value_size;
      continue;
    }
    const int code = data[pos + 1];
    pos += 2;
    if (code == 0) {
      cursor.EndOfLine();
    } else if (code == 1) {
      return;
    } else if (code == 2) {
      if (pos + 2 > data.size()) return;
      cursor.Move(data[pos], data[pos + 1]);
      pos += 2;
    } else {
      pos += PutLiteral(cursor, bits, code, data.subspan(pos));
    }
  }
}

}  // namespace sf
