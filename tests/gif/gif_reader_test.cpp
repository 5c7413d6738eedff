// Reading GIF files: hand-made files for every tolerance and every error of the
// reader, and the corpus rows of the manifest checked from the manifest itself.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>

#include "common/file_util.h"
#include "gif/gif_sub_image.h"
#include "gif_fixture.h"
#include "support/corpus.h"
#include "support/reference_decoder.h"

namespace sf {
namespace {

using test::Bytes;
using test::Join;
using ::testing::Contains;
using ::testing::ElementsAre;

const Bytes kTransparentIndex1 = {0x21, 0xF9, 4, 0x01, 7, 0, 1, 0};  // transparent, delay 7, index 1
const Bytes kNetscapeLoop = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0',
                             3, 1, 2, 0,          // loop count 2
                             5, 2, 0, 16, 0, 0};  // buffer size 4096; sub-blocks and terminator follow
const Bytes kUnknownLoopSubBlock = {2, 3, 9};     // an id no one knows: skipped
const Bytes kUnknownApplication = {0x21, 0xFF, 11, 'X', 'M', 'P', ' ', 'D', 'a', 't', 'a', 'X', 'M', 'P',
                                   2, 0xAB, 0xCD, 0};
const Bytes kComment = {0x21, 0xFE, 5, 'h', 'e', 'l', 'l', 'o', 0};
const Bytes kPlainText = {0x21, 0x01, 12, 0, 0, 0, 0, 2, 0, 2, 0, 1, 1, 0, 1, 3, 'a', 'b', 'c', 0};

Bytes CheckerFile() { return Join({test::ScreenWithBlackAndWhite(2, 2), test::CheckerImage(), test::kTrailer}); }

// The checker image with other LZW bytes (code size 2, one sub-block).
Bytes ImageWithCodes(const Bytes& codes) {
  Bytes image = {0x2C, 0, 0, 0, 0, 2, 0, 2, 0, 0x00, 2, static_cast<std::uint8_t>(codes.size())};
  image.insert(image.end(), codes.begin(), codes.end());
  image.push_back(0);
  return image;
}

std::vector<std::uint8_t> Pixels(const TGIFSubImage& frame) { return {frame.Data().begin(), frame.Data().end()}; }

TEST(GifReader, FindsTheSignatureFourBytesInAndIgnoresItsCase) {
  Bytes lower = CheckerFile();
  std::copy_n("gif", 3, lower.begin());
  for (const Bytes& file : {CheckerFile(), lower, Join({{1, 2, 3, 4}, CheckerFile()})}) {
    const auto loaded = test::LoadGif(file);
    ASSERT_EQ(loaded.error, "");
    ASSERT_EQ(loaded.image->Count(), 1);
    EXPECT_THAT(Pixels(loaded.image->Frame(0)), ElementsAre(0, 1, 1, 0));
  }
  for (const Bytes& file : {Join({{1, 2, 3, 4, 5}, CheckerFile()}), Bytes{'G', 'I'}, Bytes{}}) {
    EXPECT_EQ(test::LoadGif(file).error, "Invalid GIF signature");
  }
}

TEST(GifReader, KeepsExtensionsInFileOrderAndMakesAnEmptyFrameOfTrailingOnes) {
  const Bytes gce = {0x21, 0xF9, 4, 0x09, 7, 0, 1, 0};  // background disposal, transparent index 1
  const Bytes tail = Join({kUnknownApplication, gce, test::CheckerImage(), kComment, kPlainText, test::kTrailer});
  const Bytes screen = test::ScreenWithBlackAndWhite(2, 2);
  const Bytes file = Join({screen, kNetscapeLoop, kUnknownLoopSubBlock, {0}, tail});
  const auto loaded = test::LoadGif(file);
  ASSERT_EQ(loaded.error, "");
  ASSERT_EQ(loaded.image->Count(), 2);
  const TGIFSubImage& frame = loaded.image->Frame(0);
  ASSERT_EQ(frame.Extensions().size(), 3u);
  const auto* loop = dynamic_cast<const TGIFAppExtNSLoop*>(frame.Extensions()[0].get());
  ASSERT_NE(loop, nullptr);
  EXPECT_EQ(loop->Loops(), 2);
  EXPECT_EQ(loop->BufferSize(), 4096u);
  EXPECT_NE(dynamic_cast<const TGIFUnknownAppExtension*>(frame.Extensions()[1].get()), nullptr);
  ASSERT_EQ(frame.GraphicControlExtension(), frame.Extensions()[2].get());
  EXPECT_TRUE(frame.Transparent());
  EXPECT_EQ(frame.GraphicControlExtension()->GetDelay(), 7);
  EXPECT_EQ(frame.GraphicControlExtension()->GetDisposal(), TDisposalMethod::dmBackground);
  EXPECT_EQ(frame.GraphicControlExtension()->GetTransparentColor(), 0x00FFFFFFu);

  const TGIFSubImage& trailing = loaded.image->Frame(1);
  EXPECT_EQ(trailing.GetClientRect(), (GifRect{0, 0, 0, 0}));
  EXPECT_EQ(trailing.Extensions().size(), 2u);
  // Written back byte for byte (so every extension kept its content), less the skipped loop sub-block.
  EXPECT_EQ(test::SaveGif(*loaded.image), Join({screen, kNetscapeLoop, {0}, tail}));
}

// Cuts inside headers are corpus rows (truncated-in-*); these are the cuts the reader survives.
TEST(GifReader, CutFilesKeepWhatTheyHold) {
  const Bytes file =
      Join({test::ScreenWithBlackAndWhite(2, 2), kTransparentIndex1, test::CheckerImage(), test::kTrailer});
  const auto cut_control = test::LoadGif(Bytes(file.begin(), file.begin() + 22));
  EXPECT_EQ(cut_control.error, "");
  EXPECT_THAT(cut_control.warnings, Contains("Premature end of data"));
  // A loop extension cut just after a sub-block's length byte.
  const Bytes cut_loop =
      Join({test::ScreenWithBlackAndWhite(2, 2), Bytes(kNetscapeLoop.begin(), kNetscapeLoop.begin() + 15)});
  EXPECT_EQ(test::LoadGif(cut_loop).error, "");
  // Cut after the first data byte: one pixel decodes, the rest keep the transparent index.
  const auto cut = test::LoadGif(Bytes(file.begin(), file.begin() + 40));
  ASSERT_EQ(cut.image->Count(), 1);
  EXPECT_THAT(Pixels(cut.image->Frame(0)), ElementsAre(0, 1, 1, 1));
  EXPECT_THAT(cut.warnings, Contains("Decoder bit buffer under-run"));
  // A data sub-block that claims more than the file holds is shortened to what remains.
  Bytes long_block = Join({test::ScreenWithBlackAndWhite(2, 2), test::CheckerImage()});
  long_block[long_block.size() - 5] = 200;
  const auto shortened = test::LoadGif(long_block);
  EXPECT_EQ(shortened.error, "");
  EXPECT_THAT(Pixels(shortened.image->Frame(0)), ElementsAre(0, 1, 1, 0));
}

// The other extension errors are corpus rows; a buffer-size sub-block needs 5 bytes.
TEST(GifReader, RejectsAShortBufferSizeSubBlockAndKeepsTheFrameBefore) {
  const Bytes loop = {0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 4, 2, 0, 0, 0, 0};
  const auto loaded = test::LoadGif(Join({test::ScreenWithBlackAndWhite(2, 2), test::CheckerImage(), loop,
                                          test::CheckerImage(), test::kTrailer}));
  EXPECT_EQ(loaded.error, "Invalid GIF data");
  EXPECT_THAT(Pixels(loaded.image->Frame(0)), ElementsAre(0, 1, 1, 0));
}

TEST(GifReader, DecodesDamagedCodeStreamsSafely) {
  const Bytes screen = test::ScreenWithBlackAndWhite(2, 2);
  // The first code after the clear code names the entry it would define.
  EXPECT_EQ(test::LoadGif(Join({screen, ImageWithCodes({0x34}), test::kTrailer})).error,
            "Circular decoder table entry");
  // Code 7 lies beyond the table: decoding stops, the rest keeps the fill value.
  const auto beyond = test::LoadGif(Join({screen, kTransparentIndex1, ImageWithCodes({0xC4, 0x01}), test::kTrailer}));
  EXPECT_EQ(beyond.error, "");
  EXPECT_THAT(Pixels(beyond.image->Frame(0)), ElementsAre(0, 1, 1, 1));
  // Index 3 of a 2-colour table becomes 0.
  const auto outside = test::LoadGif(Join({screen, kTransparentIndex1, ImageWithCodes({0x5C, 0x01}), test::kTrailer}));
  EXPECT_THAT(Pixels(outside.image->Frame(0)), ElementsAre(0, 1, 1, 1));
  EXPECT_THAT(outside.warnings, Contains("Invalid color index"));
  // A descriptor of 0 x 0 takes the screen's size; one of 16000 x 16000 in a
  // tiny file is refused before anything is allocated, and 65535 x 65535 is
  // beyond any picture.
  Bytes zero = CheckerFile();
  std::fill_n(zero.begin() + 24, 4, 0);
  const auto screen_sized = test::LoadGif(zero);
  EXPECT_EQ(screen_sized.image->Frame(0).GetBoundsRect(), (GifRect{0, 0, 2, 2}));
  Bytes huge = CheckerFile();
  for (const int i : {24, 26}) huge[i] = 0x80, huge[i + 1] = 0x3E;
  EXPECT_EQ(test::LoadGif(huge).error, "Image too large for the size of the file");
  std::fill_n(huge.begin() + 24, 4, 0xFF);
  EXPECT_EQ(test::LoadGif(huge).error, "GIF picture of 65535 x 65535 pixels is too large");
}

TEST(GifReader, InterlacedRowsComeInFourPasses) {
  // Interlaced corpus files are compared with ImageMagick below.
  EXPECT_THAT(GifRowOrder(10, true), ElementsAre(0, 8, 4, 2, 6, 1, 3, 5, 7, 9));
}

// The rows of the manifest's gif section, and the misnamed GIF.
struct ManifestRow {
  std::string file;
  std::string expectation;
};

std::vector<ManifestRow> GifManifestRows(const std::string& root) {
  std::ifstream in(root + "/MANIFEST.md");
  std::vector<ManifestRow> rows;
  std::string line, section;
  while (std::getline(in, line)) {
    if (line.rfind("## ", 0) == 0) section = line.substr(3);
    if (line.rfind("| ", 0) != 0 || line.rfind("| file", 0) == 0 || line.rfind("|---", 0) == 0) continue;
    std::vector<std::string> cells;
    std::stringstream cells_in(line.substr(1));
    for (std::string cell; std::getline(cells_in, cell, '|');) cells.push_back(cell);
    const std::string file = cells[0].substr(1, cells[0].size() - 2);
    if (section == "gif") rows.push_back({"gif/" + file, cells.back()});
    if (file == "gen-gif-named.jpg") rows.push_back({"misnamed/" + file, cells.back()});
  }
  return rows;
}

TEST(GifCorpus, EveryFileLoadsAsItsManifestRowSays) {
  const auto root = test::CorpusRoot();
  if (!root) GTEST_SKIP() << "corpus not present";
  const auto rows = GifManifestRows(*root);
  ASSERT_GE(rows.size(), 40u);
  const std::regex error_text("error \"([^\"]+)\"");
  const std::regex frames_text("(\\d+) frames?");
  const std::regex size_text("(?:GIF|frames?) (\\d+)x(\\d+)");
  for (const ManifestRow& row : rows) {
    SCOPED_TRACE(row.file + ": " + row.expectation);
    const auto loaded = test::LoadGif(ReadWholeFile(*root + "/" + row.file));
    std::smatch match;
    if (std::regex_search(row.expectation, match, error_text)) {
      EXPECT_EQ(loaded.error, match[1].str());
      if (row.expectation.find("frame 1 stays read") != std::string::npos) {
        EXPECT_FALSE(loaded.image->Frame(0).Empty());
      }
      continue;
    }
    if (row.expectation.find("clear error") != std::string::npos && !loaded.error.empty()) continue;
    ASSERT_EQ(loaded.error, "");
    if (std::regex_search(row.expectation, match, frames_text)) {
      EXPECT_EQ(loaded.image->Count(), std::stoi(match[1].str()));
    }
    if (std::regex_search(row.expectation, match, size_text)) {
      EXPECT_EQ(loaded.image->Width(), std::stoi(match[1].str()));
      EXPECT_EQ(loaded.image->Height(), std::stoi(match[2].str()));
    }
    if (row.expectation.find("the last one empty") != std::string::npos) {
      EXPECT_EQ(loaded.image->Frame(loaded.image->Count() - 1).GetClientRect(), (GifRect{0, 0, 0, 0}));
    }
  }
}

// Opaque first frames that fill the screen decode to the colours ImageMagick gives.
TEST(GifCorpus, FirstFramesMatchImageMagick) {
  const auto root = test::CorpusRoot();
  if (!root) GTEST_SKIP() << "corpus not present";
  int compared = 0;
  for (const ManifestRow& row : GifManifestRows(*root)) {
    const auto loaded = test::LoadGif(ReadWholeFile(*root + "/" + row.file));
    const bool truncated = row.file.find("truncated") != std::string::npos;
    if (!loaded.error.empty() || loaded.image->Count() == 0 || truncated) continue;
    const TGIFSubImage& first = loaded.image->Frame(0);
    if (first.Transparent() || first.Empty() || first.Width() != loaded.image->Width() ||
        first.Height() != loaded.image->Height()) {
      continue;
    }
    const auto reference = test::ReferenceRgb(*root + "/" + row.file);
    if (!reference) continue;
    SCOPED_TRACE(row.file);
    EXPECT_EQ(test::CompareWithReference(first.GetBitmap(), *reference, 0), "");
    ++compared;
  }
  if (compared == 0) GTEST_SKIP() << "ImageMagick is not installed";
  EXPECT_GE(compared, 15);
}

}  // namespace
}  // namespace sf
