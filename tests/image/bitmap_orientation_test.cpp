#include "image/bitmap_orientation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "support/pictures.h"

namespace sf {
namespace {

// The stored picture, 3 wide and 2 high:
//   a b c
//   d e f
// and how each orientation shows it, drawn by hand.
struct Shown {
  ExifOrientation orientation;
  std::vector<std::string> rows;
};
const Shown kShown[] = {
    {ExifOrientation::kUpright, {"abc", "def"}},
    {ExifOrientation::kMirrorHorizontal, {"cba", "fed"}},
    {ExifOrientation::kRotate180, {"fed", "cba"}},
    {ExifOrientation::kMirrorVertical, {"def", "abc"}},
    {ExifOrientation::kTranspose, {"ad", "be", "cf"}},
    {ExifOrientation::kRotate90, {"da", "eb", "fc"}},
    {ExifOrientation::kTransverse, {"fc", "eb", "da"}},
    {ExifOrientation::kRotate270, {"cf", "be", "ad"}},
};

// A pixel value per letter that the format can hold and that tells the letters
// apart (1-bit: only a and b are set, which still makes all eight results differ).
std::uint32_t ValueOf(char letter, PixelFormat format) {
  const auto n = static_cast<std::uint32_t>(letter - 'a');
  switch (format) {
    case PixelFormat::kBits1: return n < 2 ? 1 : 0;
    case PixelFormat::kBits4: return n + 3;
    case PixelFormat::kBits8: return 40 * n + 7;
    case PixelFormat::kBits16: return 0x1234 + 0x0F11 * n;
    case PixelFormat::kBits24: return 0x102030 + 0x0A0B0C * n;
    case PixelFormat::kBits32: return 0x10203040u + 0x0A0B0C0Du * n;
  }
  return 0;
}

void SetValue(Bitmap& bitmap, int x, int y, std::uint32_t value) {
  if (bitmap.IsPaletted()) {
    bitmap.SetPixelIndex(x, y, static_cast<std::uint8_t>(value));
    return;
  }
  const int bytes = bitmap.BitsPerPixel() / 8;
  for (int i = 0; i < bytes; ++i) {
    bitmap.Row(y)[static_cast<std::size_t>(x * bytes + i)] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

Bitmap FromLetters(const std::vector<std::string>& rows, PixelFormat format) {
  Bitmap bitmap(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), format);
  for (int y = 0; y < bitmap.Height(); ++y) {
    const std::string& row = rows[static_cast<std::size_t>(y)];
    for (int x = 0; x < bitmap.Width(); ++x) SetValue(bitmap, x, y, ValueOf(row[static_cast<std::size_t>(x)], format));
  }
  return bitmap;
}

// Rows and their padding alike, so a move that writes outside a row shows too.
bool SameStorage(const Bitmap& a, const Bitmap& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() && a.Format() == b.Format() &&
         std::equal(a.Storage().begin(), a.Storage().end(), b.Storage().begin(), b.Storage().end());
}

TEST(BitmapOrientation, EveryOrientationInEveryPixelFormat) {
  for (const PixelFormat format : {PixelFormat::kBits1, PixelFormat::kBits4, PixelFormat::kBits8, PixelFormat::kBits16,
                                   PixelFormat::kBits24, PixelFormat::kBits32}) {
    const Bitmap stored = FromLetters({"abc", "def"}, format);
    for (const Shown& shown : kShown) {
      SCOPED_TRACE("format " + std::to_string(static_cast<int>(format)) + ", orientation " +
                   std::to_string(static_cast<int>(shown.orientation)));
      EXPECT_TRUE(SameStorage(OrientBitmap(stored, shown.orientation), FromLetters(shown.rows, format)));
    }
  }
}

TEST(BitmapOrientation, KeepsPaletteMasksAndTransparency) {
  Bitmap stored = FromLetters({"abc", "def"}, PixelFormat::kBits8);
  stored.SetPalette({{1, 2, 3}, {4, 5, 6}});
  stored.SetTransparent(true, 0x00010203);
  const Bitmap turned = OrientBitmap(stored, ExifOrientation::kRotate90);
  EXPECT_EQ(turned.Palette(), stored.Palette());
  EXPECT_TRUE(turned.Transparent());
  EXPECT_EQ(turned.TransparentColor(), stored.TransparentColor());

  Bitmap masked = FromLetters({"abc", "def"}, PixelFormat::kBits16);
  masked.SetMasks(kMasks565);
  EXPECT_EQ(OrientBitmap(masked, ExifOrientation::kTransverse).Masks(), kMasks565);
}

// Larger odd-sized pictures, where 1- and 4-bit rows span several bytes: the
// turns compose as they must.
TEST(BitmapOrientation, TurnsCompose) {
  for (const PixelFormat format : {PixelFormat::kBits1, PixelFormat::kBits4, PixelFormat::kBits24}) {
    SCOPED_TRACE("format " + std::to_string(static_cast<int>(format)));
    const Bitmap stored = test::MakeGradient(19, 7, format);
    const auto turn = [](const Bitmap& b, ExifOrientation o) { return OrientBitmap(b, o); };
    const Bitmap quarter = turn(stored, ExifOrientation::kRotate90);
    EXPECT_EQ(quarter.Width(), 7);
    EXPECT_EQ(quarter.Height(), 19);
    EXPECT_TRUE(SameStorage(turn(quarter, ExifOrientation::kRotate90), turn(stored, ExifOrientation::kRotate180)));
    EXPECT_TRUE(SameStorage(turn(quarter, ExifOrientation::kRotate270), stored));
    EXPECT_TRUE(SameStorage(turn(turn(stored, ExifOrientation::kMirrorHorizontal), ExifOrientation::kMirrorVertical),
                            turn(stored, ExifOrientation::kRotate180)));
    EXPECT_TRUE(SameStorage(turn(turn(stored, ExifOrientation::kTranspose), ExifOrientation::kTranspose), stored));
    EXPECT_TRUE(SameStorage(turn(turn(stored, ExifOrientation::kTransverse), ExifOrientation::kRotate180),
                            turn(stored, ExifOrientation::kTranspose)));
  }
  EXPECT_TRUE(OrientBitmap(Bitmap(), ExifOrientation::kRotate90).Empty());
}

// 8-bit pictures move in strided runs and tiles, 4-bit ones index by index:
// the same indices must land in the same places, at sizes of one pixel and
// across tile edges.
TEST(BitmapOrientation, RunsAndTilesMatchPixelByPixelMoves) {
  for (const auto& [w, h] : {std::pair{1, 1}, std::pair{1, 5}, std::pair{5, 1}, std::pair{130, 67}}) {
    Bitmap whole(w, h, PixelFormat::kBits8);
    Bitmap packed(w, h, PixelFormat::kBits4);
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const auto index = static_cast<std::uint8_t>((x * 7 + y * 13) % 16);
        whole.SetPixelIndex(x, y, index);
        packed.SetPixelIndex(x, y, index);
      }
    }
    for (int value = 1; value <= 8; ++value) {
      SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h) + ", orientation " + std::to_string(value));
      const Bitmap a = OrientBitmap(whole, static_cast<ExifOrientation>(value));
      const Bitmap b = OrientBitmap(packed, static_cast<ExifOrientation>(value));
      ASSERT_EQ(a.Width(), b.Width());
      ASSERT_EQ(a.Height(), b.Height());
      int differing = 0;
      for (int y = 0; y < a.Height(); ++y) {
        for (int x = 0; x < a.Width(); ++x) differing += a.PixelIndex(x, y) != b.PixelIndex(x, y);
      }
      EXPECT_EQ(differing, 0);
    }
  }
}

}  // namespace
}  // namespace sf
