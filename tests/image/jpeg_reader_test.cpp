#include "image/jpeg_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/file_util.h"
#include "common/format_error.h"
#include "image/jpeg_writer.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/reference_decoder.h"

namespace sf {
namespace {

using ::testing::StartsWith;
using ::testing::StrEq;
using ::testing::ThrowsMessage;

TEST(JpegReader, CorpusFilesDecodeAtFullSizeIn24Bits) {
  if (!test::CorpusRoot()) GTEST_SKIP() << "corpus not present";
  const struct {
    const char* file;
    int width;
    int height;
  } rows[] = {
      {"gen-cmyk-adobe-only.jpg", 100, 100},        {"gen-hopper-arithmetic.jpg", 128, 128},
      {"gen-hopper-no-app-markers.jpg", 128, 128},  {"gen-hopper-progressive.jpg", 128, 128},
      {"gen-hopper-restart-markers.jpg", 128, 128}, {"gen-hopper-truncated-baseline.jpg", 128, 128},
      {"imagemagick-input-progressive.jpg", 70, 46}, {"imagemagick-input.jpg", 70, 46},
      {"imagemagick-wizard.jpg", 264, 351},         {"libgdiplus-test-exif.jpg", 100, 68},
      {"libgdiplus-test.jpg", 100, 68},             {"pillow-app13-multiple.jpg", 256, 160},
      {"pillow-exif_gps_typeerror.jpg", 800, 531},  {"pillow-flower.jpg", 480, 360},
      {"pillow-flower2.jpg", 300, 225},             {"pillow-hopper.jpg", 128, 128},
      {"pillow-hopper_16bit_qtables.jpg", 128, 128}, {"pillow-hopper_gray.jpg", 128, 128},
      {"pillow-iptc.jpg", 640, 480},                {"pillow-jfif_unit_cm.jpg", 1, 1},
      {"pillow-junk_jpeg_header.jpg", 1024, 768},   {"pillow-orientation_rectangle.jpg", 2, 1},
      {"pillow-photoshop-200dpi-broken.jpg", 200, 200}, {"pillow-pil_sample_cmyk.jpg", 100, 100},
      {"pillow-pil_sample_rgb.jpg", 100, 100},      {"pillow-truncated_app14.jpg", 100, 100},
      {"pillow-truncated_jpeg.jpg", 100, 100},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    const Bitmap picture = DecodeJpeg(ReadWholeFile(*test::CorpusPath(std::string("jpeg/") + row.file)));
    EXPECT_EQ(picture.Width(), row.width);
    EXPECT_EQ(picture.Height(), row.height);
    EXPECT_EQ(picture.Format(), PixelFormat::kBits24);
  }
  EXPECT_THAT([] { DecodeJpeg(ReadWholeFile(*test::CorpusPath("jpeg/gen-hopper-truncated-in-headers.jpg"))); },
              ThrowsMessage<FormatError>(StrEq("JPEG file is cut short")));
}

TEST(JpegReader, PixelsMatchImageMagicksLibjpeg) {
  if (!test::CorpusRoot()) GTEST_SKIP() << "corpus not present";
  if (!test::ReferenceRgb(*test::CorpusPath("jpeg/pillow-hopper.jpg"))) GTEST_SKIP() << "no ImageMagick";
  // Both decode with libjpeg-turbo's default settings: the same pixels exactly.
  // CMYK goes through our own conversion and may round differently.
  const std::pair<const char*, int> files[] = {
      {"pillow-hopper.jpg", 0},          {"imagemagick-wizard.jpg", 0},  {"pillow-hopper_gray.jpg", 0},
      {"gen-hopper-progressive.jpg", 0}, {"pillow-iptc.jpg", 0},         {"gen-hopper-arithmetic.jpg", 0},
      {"pillow-pil_sample_cmyk.jpg", 1},
  };
  for (const auto& [file, tolerance] : files) {
    SCOPED_TRACE(file);
    const std::string path = *test::CorpusPath(std::string("jpeg/") + file);
    const auto reference = test::ReferenceRgb(path);
    ASSERT_TRUE(reference);
    EXPECT_EQ(test::CompareWithReference(DecodeJpeg(ReadWholeFile(path)), *reference, tolerance), "");
  }
}

TEST(JpegReader, DamagedDataFailsWithAMessageOrDecodesWhatIsThere) {
  EXPECT_THAT([] { DecodeJpeg({}); }, ThrowsMessage<FormatError>(StrEq("Empty input file")));
  const std::vector<std::uint8_t> text = {'B', 'M', 'x', 'y'};
  EXPECT_THAT([&] { DecodeJpeg(text); }, ThrowsMessage<FormatError>(StartsWith("Not a JPEG file")));

  const std::vector<std::uint8_t> whole = EncodeJpeg(test::MakeGradient(64, 48), 90);
  const std::vector<std::uint8_t> headers_only(whole.begin(), whole.begin() + 120);
  EXPECT_THAT([&] { DecodeJpeg(headers_only); }, ThrowsMessage<FormatError>(StrEq("JPEG file is cut short")));

  // Cut inside the scan: the upper rows are there, the picture keeps its size.
  const std::vector<std::uint8_t> cut(whole.begin(), whole.begin() + static_cast<long>(whole.size() * 2 / 3));
  const Bitmap partial = DecodeJpeg(cut);
  const Bitmap full = DecodeJpeg(whole);
  ASSERT_EQ(partial.Width(), 64);
  ASSERT_EQ(partial.Height(), 48);
  EXPECT_EQ(partial.PixelColor(5, 2), full.PixelColor(5, 2));
}

}  // namespace
}  // namespace sf
