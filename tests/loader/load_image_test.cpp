#include "loader/load_image.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "common/file_util.h"
#include "image/bmp_writer.h"
#include "image/halftone_palette.h"
#include "image/jpeg_writer.h"
#include "support/corpus.h"
#include "support/pictures.h"
#include "support/temp_folder.h"
#include "support/recording_reporter.h"

using ::testing::StrEq;
using ::testing::ThrowsMessage;

namespace sf {
namespace {

class LoadImageTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    return m_folder.Write(name, bytes);
  }

  test::TempFolder m_folder;
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
  EXPECT_THAT(
      [&] {
        (void)(ReadPicture(Write("notes.txt", {'h', 'i'}), &kind));
      },
      ThrowsMessage<std::runtime_error>(StrEq("Unknown picture file extension (.txt)")));
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

// One manifest row: the file and what a reader should do with it.
struct ManifestRow {
  std::string file;
  std::string expectation;
};

std::vector<ManifestRow> ManifestRows(const std::string& root, const std::vector<std::string>& sections) {
  std::ifstream manifest(root + "/MANIFEST.md");
  std::vector<ManifestRow> rows;
  std::string section;
  for (std::string line; std::getline(manifest, line);) {
    if (line.rfind("## ", 0) == 0) section = line.substr(3);
    const bool wanted = std::find(sections.begin(), sections.end(), section) != sections.end();
    if (!wanted || line.rfind("| ", 0) != 0 || line.rfind("| file ", 0) == 0) continue;
    const auto first_end = line.find(" | ");
    const auto last_start = line.rfind(" | ");
    rows.push_back({section + "/" + line.substr(2, first_end - 2), line.substr(last_start + 3)});
  }
  return rows;
}

bool Mentions(const std::string& text, std::string_view word) { return text.find(word) != std::string::npos; }

// Every BMP, ICO, JPEG, PNG and misnamed row of the corpus manifest: a row that
// names a kind and size decodes to exactly that; a row that only allows a
// clear error fails; a row that allows both may do either, at the right size.
// GIF and metafile rows belong to their codecs' tests.
TEST_F(LoadImageTest, EveryManifestRowOfTheKindsReadHere) {
  const auto root = test::CorpusRoot();
  if (!root) GTEST_SKIP() << "corpus not present";
  const std::regex picture(R"((Bitmap|JPEG|PNG|Icon \(\.ico\)) (\d+)x(\d+)(?: \([^)]*\))?(?:, (\d+) bpp)?)");
  int checked = 0;
  for (const ManifestRow& row : ManifestRows(*root, {"bmp", "ico", "jpeg", "png", "misnamed"})) {
    const std::string& expect = row.expectation;
    if (Mentions(expect, "not a test input") || Mentions(expect, "not test inputs") || Mentions(expect, "documentation") ||
        Mentions(expect, "GIF ") || Mentions(expect, "EMF") || Mentions(expect, "WMF")) {
      continue;
    }
    SCOPED_TRACE(row.file + ": " + expect);
    const bool refusal_allowed = Mentions(expect, "reject") || Mentions(expect, "refuse") || Mentions(expect, "clear error");
    const bool decode_allowed = !refusal_allowed || Mentions(expect, "decode");
    std::smatch named;
    const bool has_size = std::regex_search(expect, named, picture);
    ASSERT_TRUE(has_size || refusal_allowed) << "row not understood";

    std::string kind;
    std::optional<Bitmap> decoded;
    try {
      decoded = ReadPicture(*root + "/" + row.file, &kind);
    } catch (const std::exception& failure) {
      EXPECT_TRUE(refusal_allowed) << failure.what();
      EXPECT_STRNE(failure.what(), "");
    }
    ++checked;
    if (!decoded) continue;
    EXPECT_TRUE(decode_allowed);
    if (!has_size) continue;
    EXPECT_EQ(kind, named[1].str());
    EXPECT_EQ(decoded->Width(), std::stoi(named[2].str()));
    EXPECT_EQ(decoded->Height(), std::stoi(named[3].str()));
    if (named[4].matched) {
      // Bitmaps have no 2-bit format: such pictures are widened to 4 bits.
      const int bits = std::stoi(named[4].str());
      EXPECT_EQ(decoded->BitsPerPixel(), bits == 2 ? 4 : bits);
    }
  }
  EXPECT_GT(checked, 150);
}

}  // namespace
}  // namespace sf
