#include "image/load_image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "image/halftone_palette.h"
#include "image/jpeg_writer.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/recording_reporter.h"

namespace sf {
namespace {

class LoadImageTest : public ::testing::Test {
 protected:
  void SetUp() override { m_folder = test::MakeTempDir(); }
  void TearDown() override { std::filesystem::remove_all(m_folder); }

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    const std::string path = m_folder + "/" + name;
    WriteWholeFile(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    return path;
  }

  std::string m_folder;
  test::RecordingReporter m_reporter;
};

TEST_F(LoadImageTest, MissingFileIsQuotedInLowerCase) {
  Bitmap holder(4, 4);
  LoadImage(holder, "C:\\Pics\\Beach.JPG", m_reporter);
  EXPECT_TRUE(holder.Empty());
  EXPECT_EQ(m_reporter.Errors(), (std::vector<std::string>{
                                     "Error loading image file 'c:\\pics\\beach.jpg'\n\nThis file path does not exist."
                                     "\n\nLoadImage()"}));
}

TEST_F(LoadImageTest, ContentDecidesBeforeTheName) {
  const Bitmap gradient = test::MakeGradient(9, 7, PixelFormat::kBits8);
  Bitmap holder;
  LoadImage(holder, Write("Picture.GIF", EncodeBmp(gradient)), m_reporter);
  EXPECT_EQ(LastLoadedKindName(), "Bitmap");
  EXPECT_EQ(test::FirstDifference(holder, gradient), "");
  EXPECT_EQ(holder.Palette(), gradient.Palette()) << "a BMP keeps its own format and palette";

  // libjpeg writes a JFIF marker; without one only the name says JPEG.
  std::vector<std::uint8_t> jpeg = EncodeJpeg(gradient, 90);
  ASSERT_EQ(std::string(jpeg.begin() + 6, jpeg.begin() + 10), "JFIF");
  LoadImage(holder, Write("jfif.bmp", jpeg), m_reporter);
  EXPECT_EQ(LastLoadedKindName(), "JPEG");
  EXPECT_EQ(holder.Format(), PixelFormat::kBits24);
  jpeg[6] = 'X';
  LoadImage(holder, Write("plain.jpeg", jpeg), m_reporter);
  EXPECT_EQ(LastLoadedKindName(), "JPEG");
  EXPECT_EQ(holder.Width(), 9);
  EXPECT_TRUE(m_reporter.Errors().empty());
}

TEST_F(LoadImageTest, FailureShowsItsOwnMessageThenTheLoadersAndKeepsTheKindName) {
  Bitmap holder;
  LoadImage(holder, Write("good.bmp", EncodeBmp(Bitmap(2, 2))), m_reporter);
  ASSERT_EQ(LastLoadedKindName(), "Bitmap");

  const std::string path = Write("Holiday.PNG", {'n', 'o', 't', ' ', 'a', ' ', 'p', 'n', 'g'});
  std::string lower = path;
  std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
  LoadImage(holder, path, m_reporter);
  EXPECT_TRUE(holder.Empty());
  EXPECT_EQ(m_reporter.Errors(),
            (std::vector<std::string>{"Not a PNG file", "Error loading image file '" + lower + "'\n\nLoadImage()"}));
  EXPECT_EQ(LastLoadedKindName(), "Bitmap");

  std::string kind = "unchanged";
  EXPECT_THROW(ReadPicture(Write("notes.txt", {'h', 'i'}), &kind), std::runtime_error);
  EXPECT_EQ(kind, "unchanged");
}

TEST_F(LoadImageTest, IconsBecomeEightBitHalftonePictures) {
  if (!test::CorpusRoot()) GTEST_SKIP() << "corpus not present";
  std::string kind;
  const Bitmap icon = ReadPicture(*test::CorpusPath("ico/pillow-python.ico"), &kind);
  EXPECT_EQ(kind, "Icon (.ico)");
  EXPECT_EQ(icon.Format(), PixelFormat::kBits8);
  EXPECT_TRUE(IsHalftonePalette(icon.Palette()));
  EXPECT_EQ(icon.PixelColor(0, 0), (Rgb{255, 255, 255})) << "the transparent corner";
}

TEST_F(LoadImageTest, MisnamedCorpusFiles) {
  if (!test::CorpusRoot()) GTEST_SKIP() << "corpus not present";
  // GIF and metafile rows belong to their codecs' tests.
  const struct {
    const char* file;
    const char* kind;  // nullptr: the load fails with a message
    int width;
    int height;
    int bits;
  } rows[] = {
      {"gen-bmp-named.gif", "Bitmap", 127, 64, 8},       {"gen-bmp-named.jpg", "Bitmap", 127, 64, 24},
      {"gen-exif-jpeg-named.JPG", "JPEG", 300, 225, 24}, {"gen-exif-jpeg-named.jpeg", "JPEG", 300, 225, 24},
      {"gen-ico-named.bmp", "Icon (.ico)", 48, 48, 8},   {"gen-jfif-jpeg-named.bmp", "JPEG", 128, 128, 24},
      {"gen-png-named.jpg", "PNG", 128, 128, 24},        {"gen-png-named.png", "PNG", 128, 128, 24},
      {"gen-empty-file.bmp", nullptr, 0, 0, 0},          {"gen-empty-file.jpg", nullptr, 0, 0, 0},
      {"gen-exif-jpeg-named.bmp", nullptr, 0, 0, 0},     {"gen-text-named.bmp", nullptr, 0, 0, 0},
      {"gen-text-named.txt", nullptr, 0, 0, 0},          {"gen-two-bytes-BM.bmp", nullptr, 0, 0, 0},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    test::RecordingReporter reporter;
    Bitmap holder;
    LoadImage(holder, *test::CorpusPath(std::string("misnamed/") + row.file), reporter);
    if (row.kind == nullptr) {
      EXPECT_EQ(reporter.Errors().size(), 2u);
      EXPECT_TRUE(holder.Empty());
      continue;
    }
    EXPECT_TRUE(reporter.Errors().empty());
    EXPECT_EQ(LastLoadedKindName(), row.kind);
    EXPECT_EQ(holder.Width(), row.width);
    EXPECT_EQ(holder.Height(), row.height);
    EXPECT_EQ(holder.BitsPerPixel(), row.bits);
  }
}

}  // namespace
}  // namespace sf
