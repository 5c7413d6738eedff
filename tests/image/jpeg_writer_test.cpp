#include "image/jpeg_writer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/file_util.h"
#include "image/jpeg_reader.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/reference_decoder.h"

namespace sf {
namespace {

double MeanError(const Bitmap& a, const Bitmap& b) {
  long long total = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      const Rgb p = a.PixelColor(x, y);
      const Rgb q = b.PixelColor(x, y);
      total += std::abs(p.r - q.r) + std::abs(p.g - q.g) + std::abs(p.b - q.b);
    }
  }
  return static_cast<double>(total) / (3.0 * a.Width() * a.Height());
}

// Smooth ramps, as in a photograph (sharp steps are where JPEG loses most).
Bitmap SmoothPicture(int width, int height, PixelFormat format) {
  Bitmap picture(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      picture.SetPixelColor(x, y, Rgb{static_cast<std::uint8_t>(x * 255 / (width - 1)),
                                      static_cast<std::uint8_t>(y * 255 / (height - 1)), 128});
    }
  }
  picture.SetPixelFormat(format);
  return picture;
}

TEST(JpegWriter, EveryFormatRoundTripsCloselyAsColour) {
  // Paletted pictures have hard steps between their few colours.
  const std::pair<PixelFormat, double> cases[] = {{PixelFormat::kBits1, 2.0},   {PixelFormat::kBits8, 8.0},
                                                  {PixelFormat::kBits16, 1.5}, {PixelFormat::kBits24, 1.5},
                                                  {PixelFormat::kBits32, 1.5}};
  for (const auto& [format, limit] : cases) {
    SCOPED_TRACE(static_cast<int>(format));
    const Bitmap original = SmoothPicture(47, 33, format);
    const Bitmap decoded = DecodeJpeg(EncodeJpeg(original, 95));
    ASSERT_EQ(decoded.Width(), 47);
    ASSERT_EQ(decoded.Height(), 33);
    EXPECT_LT(MeanError(original, decoded), limit);
  }
}

TEST(JpegWriter, QualityIsClampedAndChangesTheSize) {
  const Bitmap picture = test::MakeGradient(64, 64);
  EXPECT_EQ(EncodeJpeg(picture, 0), EncodeJpeg(picture, 1));
  EXPECT_EQ(EncodeJpeg(picture, 250), EncodeJpeg(picture, 100));
  EXPECT_LT(EncodeJpeg(picture, 10).size(), EncodeJpeg(picture, 90).size());
  EXPECT_LT(MeanError(picture, DecodeJpeg(EncodeJpeg(picture, 90))),
            MeanError(picture, DecodeJpeg(EncodeJpeg(picture, 10))));
}

TEST(JpegWriter, RefusesAnEmptyPictureWithLibjpegsMessage) {
  EXPECT_THAT([] { EncodeJpeg(Bitmap(), 75); },
              ::testing::ThrowsMessage<std::runtime_error>(::testing::StrEq("Empty JPEG image (DNL not supported)")));
}

TEST(JpegWriter, ImageMagickDecodesTheFileAsWeDo) {
  const std::string folder = test::MakeTempDir();
  const std::string path = folder + "/frame.jpg";
  const Bitmap original = test::MakeGradient(41, 29);
  WriteJpegFile(original, path, 80);
  const auto reference = test::ReferenceRgb(path);
  const Bitmap ours = DecodeJpeg(ReadWholeFile(path));
  std::filesystem::remove_all(folder);
  if (!reference) GTEST_SKIP() << "no ImageMagick";
  EXPECT_EQ(test::CompareWithReference(ours, *reference, 0), "");
}

}  // namespace
}  // namespace sf
