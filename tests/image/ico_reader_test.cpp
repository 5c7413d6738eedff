#include "image/ico_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/format_error.h"

namespace sf {
namespace {

using ::testing::StrEq;
using ::testing::ThrowsMessage;

void Put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Put32(std::vector<std::uint8_t>& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// An icon entry of bits 24 or 32: every pixel of the colour, alpha as given
// (32 bits), and the AND mask bit set on the pixels listed in `transparent`
// (x + width * y, top row first).
std::vector<std::uint8_t> Entry(int width, int height, int bits, Rgb color, std::uint8_t alpha,
                                const std::vector<int>& transparent) {
  std::vector<std::uint8_t> dib;
  Put32(dib, 40), Put32(dib, width), Put32(dib, 2 * height), Put16(dib, 1), Put16(dib, bits);
  for (int i = 0; i < 6; ++i) Put32(dib, 0);
  const int bytes = bits / 8;
  const int stride = (width * bytes + 3) / 4 * 4;
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) {
      dib.insert(dib.end(), {color.b, color.g, color.r});
      if (bits == 32) dib.push_back(alpha);
    }
    dib.insert(dib.end(), static_cast<std::size_t>(stride - width * bytes), 0);
  }
  for (int row = height - 1; row >= 0; --row) {
    std::uint8_t mask[4] = {};
    for (const int at : transparent) {
      if (at / width == row) mask[(at % width) / 8] |= static_cast<std::uint8_t>(0x80 >> (at % width % 8));
    }
    dib.insert(dib.end(), mask, mask + 4);
  }
  return dib;
}

std::vector<std::uint8_t> IconFile(const std::vector<std::vector<std::uint8_t>>& entries) {
  std::vector<std::uint8_t> file;
  Put16(file, 0), Put16(file, 1), Put16(file, static_cast<unsigned>(entries.size()));
  std::size_t offset = 6 + 16 * entries.size();
  for (const auto& entry : entries) {
    // The directory's own size fields are left 0: the reader trusts the entries.
    for (int i = 0; i < 8; ++i) file.push_back(0);
    Put32(file, static_cast<unsigned>(entry.size()));
    Put32(file, static_cast<unsigned>(offset));
    offset += entry.size();
  }
  for (const auto& entry : entries) file.insert(file.end(), entry.begin(), entry.end());
  return file;
}

TEST(IcoReader, TakesTheLargestThenDeepestEntryAndMasksToWhite) {
  const Rgb red{200, 0, 0};
  const Bitmap icon = ReadIco(IconFile({
      Entry(2, 2, 32, Rgb{0, 0, 200}, 255, {}),
      Entry(3, 2, 24, Rgb{0, 200, 0}, 0, {}),
      Entry(3, 2, 32, red, 0, {0, 5}),  // alpha all 0: the AND mask decides
  }));
  ASSERT_EQ(icon.Width(), 3);
  ASSERT_EQ(icon.Height(), 2);
  EXPECT_EQ(icon.PixelColor(0, 0), (Rgb{255, 255, 255}));
  EXPECT_EQ(icon.PixelColor(1, 0), red);
  EXPECT_EQ(icon.PixelColor(2, 1), (Rgb{255, 255, 255}));
}

TEST(IcoReader, AlphaIsCompositedOverWhite) {
  const Bitmap icon = ReadIco(IconFile({Entry(1, 1, 32, Rgb{0, 0, 0}, 128, {0})}));
  EXPECT_EQ(icon.PixelColor(0, 0), (Rgb{127, 127, 127})) << "alpha wins over the mask";
}

TEST(IcoReader, DirectoryIsCheckedAgainstTheFile) {
  const auto refuses = [](const std::vector<std::uint8_t>& bytes, const char* message) {
    EXPECT_THAT([&] { ReadIco(bytes); }, ThrowsMessage<FormatError>(StrEq(message)));
  };
  refuses({0, 0, 1}, "Icon file header is cut short");
  refuses({0, 0, 3, 0, 1, 0}, "Not an icon file");
  refuses({0, 0, 1, 0, 0, 0}, "Icon file holds no pictures");
  refuses({0, 0, 1, 0, 2, 0, 1, 2, 3}, "Icon directory is cut short");
  std::vector<std::uint8_t> beyond = IconFile({Entry(1, 1, 24, Rgb{}, 0, {})});
  beyond[18] = 0xFF;  // the offset's high byte: far past the end
  refuses(beyond, "Icon file holds no readable pictures");
}

}  // namespace
}  // namespace sf
