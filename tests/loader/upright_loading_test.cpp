// Photos with a recorded orientation, loaded with and without the upright
// option: the turned picture is the decoded stored picture's pixels moved.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_util.h"
#include "image/bitmap_orientation.h"
#include "image/exif_orientation.h"
#include "image/jpeg_reader.h"
#include "image/jpeg_writer.h"
#include "loader/load_image.h"
#include "support/corpus.h"
#include "support/exif_jpeg.h"
#include "support/pictures.h"
#include "support/temp_folder.h"
#include "support/recording_reporter.h"
#include "support/reference_decoder.h"

namespace sf {
namespace {

using test::ByteOrder;

class UprightLoadingTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    return m_folder.Write(name, bytes);
  }

  Bitmap Load(const std::string& path, bool upright) {
    Bitmap holder;
    LoadImage(holder, path, m_reporter, {.upright = upright});
    return holder;
  }

  // Wider than high, with a bright corner, so every turn looks different.
  static std::vector<std::uint8_t> Photo() {
    Bitmap picture = test::MakeGradient(24, 16);
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 6; ++x) picture.SetPixelColor(x, y, Rgb{255, 255, 255});
    }
    return EncodeJpeg(picture, 92);
  }

  test::TempFolder m_folder;
  test::RecordingReporter m_reporter;
};

TEST_F(UprightLoadingTest, EachOrientationLoadsUpright) {
  const std::vector<std::uint8_t> plain = Photo();
  const Bitmap stored = DecodeJpeg(plain);
  for (const ByteOrder order : {ByteOrder::kIntel, ByteOrder::kMotorola}) {
    for (int value = 1; value <= 8; ++value) {
      SCOPED_TRACE((order == ByteOrder::kIntel ? "II " : "MM ") + std::to_string(value));
      const std::string path = Write("photo.jpg", test::WithExifOrientation(plain, value, order));
      const Bitmap upright = Load(path, true);
      EXPECT_EQ(LastLoadedKindName(), "JPEG");
      EXPECT_EQ(test::FirstDifference(upright, OrientBitmap(stored, static_cast<ExifOrientation>(value))), "");
      EXPECT_EQ(upright.Width(), value >= 5 ? 16 : 24);
      EXPECT_EQ(test::FirstDifference(Load(path, false), stored), "") << "off: as stored";
      Bitmap by_default;
      LoadImage(by_default, path, m_reporter);
      EXPECT_EQ(test::FirstDifference(by_default, stored), "") << "callers that do not ask get the stored picture";
    }
  }
  EXPECT_TRUE(m_reporter.Errors().empty());
}

// ImageMagick's -auto-orient, a reader we did not write, agrees on what each
// value means (to within its own decoding of the same file).
TEST_F(UprightLoadingTest, ImageMagickTurnsTheSameWay) {
  if (test::RunCommand("test -x /usr/bin/convert") != 0) GTEST_SKIP() << "ImageMagick is not installed";
  const std::vector<std::uint8_t> plain = Photo();
  for (int value = 2; value <= 8; ++value) {
    SCOPED_TRACE(value);
    const std::string path = Write("photo" + std::to_string(value) + ".jpg",
                                   test::WithExifOrientation(plain, value, ByteOrder::kMotorola));
    std::string out;
    ASSERT_EQ(test::RunCommand("/usr/bin/convert '" + path + "' -auto-orient -depth 8 rgb:- 2>/dev/null", &out), 0);
    EXPECT_EQ(test::CompareWithReference(Load(path, true), std::vector<std::uint8_t>(out.begin(), out.end()), 8), "");
  }
}

TEST_F(UprightLoadingTest, DamagedExifLoadsAsStored) {
  const std::vector<std::uint8_t> plain = Photo();
  const Bitmap stored = DecodeJpeg(plain);
  std::vector<std::uint8_t> past_end = test::ExifOrientationBlock(6, ByteOrder::kMotorola);
  past_end[10] = 0x7F;   // IFD0 offset far past the block
  std::vector<std::uint8_t> huge_count = test::ExifOrientationBlock(6, ByteOrder::kIntel);
  huge_count[14] = huge_count[15] = 0xFF;
  for (const auto& block : {past_end, huge_count}) {
    EXPECT_EQ(test::FirstDifference(Load(Write("bad.jpg", test::WithApp1(plain, block)), true), stored), "");
  }
  EXPECT_TRUE(m_reporter.Errors().empty()) << "a damaged EXIF block is no error";
}

// Real photos: the orientation we read is the one ImageMagick reads (none
// counts as 1), and the one turned photo of the corpus shows as ImageMagick
// turns it.
TEST_F(UprightLoadingTest, CorpusPhotosAgreeWithImageMagick) {
  const auto root = test::CorpusRoot();
  if (!root) GTEST_SKIP() << "corpus not present";
  if (test::RunCommand("test -x /usr/bin/identify") != 0) GTEST_SKIP() << "ImageMagick is not installed";
  int turned = 0;
  for (const auto& entry : std::filesystem::directory_iterator(*root + "/jpeg")) {
    const std::string path = entry.path().string();
    SCOPED_TRACE(path);
    std::string theirs;
    test::RunCommand("/usr/bin/identify -format '%[EXIF:Orientation]' '" + path + "' 2>/dev/null", &theirs);
    const int ours = static_cast<int>(ReadExifOrientation(ReadWholeFile(path)));
    EXPECT_EQ(ours, theirs.empty() ? 1 : std::stoi(theirs));
    if (ours == 1) continue;
    ++turned;
    std::string out;
    ASSERT_EQ(test::RunCommand("/usr/bin/convert '" + path + "' -auto-orient -depth 8 rgb:- 2>/dev/null", &out), 0);
    EXPECT_EQ(test::CompareWithReference(Load(path, true), std::vector<std::uint8_t>(out.begin(), out.end()), 8), "");
  }
  EXPECT_GE(turned, 1) << "the corpus holds a photo stored turned";
}

}  // namespace
}  // namespace sf
