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
