#include "list/picture_info.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "image/bitmap.h"

namespace sf {
namespace {

std::vector<std::size_t> LineLengths(const std::string& text) {
  std::vector<std::size_t> lengths;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lengths.push_back(line.size());
  return lengths;
}

// A path of n characters whose every character is its position's last digit.
std::string PathOf(std::size_t n) {
  std::string path;
  for (std::size_t i = 1; i <= n; ++i) path += static_cast<char>('0' + i % 10);
  return path;
}

TEST(PictureInfo, BreaksLongPathsIntoLines) {
  EXPECT_EQ(LineLengths(BreakPathLines(PathOf(90))), (std::vector<std::size_t>{90}));
  EXPECT_EQ(LineLengths(BreakPathLines(PathOf(100))), (std::vector<std::size_t>{49, 51}));
  EXPECT_EQ(LineLengths(BreakPathLines(PathOf(160))), (std::vector<std::size_t>{79, 81}));
  const std::string broken = BreakPathLines(PathOf(170));
  EXPECT_EQ(LineLengths(broken), (std::vector<std::size_t>{59, 58, 37, 16}));
  EXPECT_EQ(broken.substr(59, 2), "\n0") << "the second line starts with character 60";
}

TEST(PictureInfo, BoxTextBeforeAnyPicture) {
  EXPECT_EQ(PictureInfoText(ShownPicture{}, ""),
            "Error: no image has been loaded yet.\n\nImage Type: \nWidth: -1\nHeight: -1\n"
            "Pixel format: Unknown bit depth/pixel format\n");
  const ShownPicture shown{"/p/a.jpg", 640, 480, PixelFormatCode(Bitmap(2, 2, PixelFormat::kBits24))};
  EXPECT_EQ(PictureInfoText(shown, "JPEG"),
            "/p/a.jpg\n\nImage Type: JPEG\nWidth: 640\nHeight: 480\nPixel format: 24 bit (16,777,216 Colors)\n");
  Bitmap fifteen(1, 1, PixelFormat::kBits16);
  fifteen.SetMasks(kMasks555);
  EXPECT_EQ(PixelFormatName(PixelFormatCode(fifteen)), "Unknown bit depth/pixel format");
}

TEST(PictureInfo, FrameSizeAndFitToWindow) {
  EXPECT_EQ(FrameSizeWithBorder(1000, 10), 1200);
  EXPECT_EQ(FrameSizeWithBorder(333, 5), 366) << "333 + 2 x 16.65, truncated";
  EXPECT_EQ(FrameSizeWithBorder(9000000, 50), 9999999);

  const ViewSize wide = FitToWindow(1000, 500, 716, 716);
  EXPECT_EQ(wide.width, 700);
  EXPECT_EQ(wide.height, 350);
  EXPECT_EQ(FitToWindow(300, 600, 716, 416).width, 200);
  EXPECT_EQ(FitToWindow(0, 10, 716, 716).width, 0);
}

}  // namespace
}  // namespace sf
