// Every picture reader fed with every corpus file and with damaged copies of
// small good files: failures are expected and ignored; under the sanitizer
// build nothing may crash, read out of bounds, leak or hang.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "avi/video_decoder.h"
#include "common/file_util.h"
#include "image/bmp_reader.h"
#include "image/bmp_writer.h"
#include "image/ico_reader.h"
#include "image/jpeg_reader.h"
#include "image/jpeg_writer.h"
#include "image/picture_limits.h"
#include "image/png_reader.h"
#include "loader/load_image.h"
#include "support/corpus.h"
#include "support/pictures.h"

namespace sf {
namespace {

using Bytes = std::vector<std::uint8_t>;

template <typename Reader>
void Try(Reader reader, const Bytes& bytes) {
  try {
    const Bitmap picture = reader(bytes);
    // Touch every row, so a bitmap too small for its size would show.
    if (!picture.Empty()) picture.PixelColor(picture.Width() - 1, picture.Height() - 1);
  } catch (const std::exception&) {
  }
}

void FeedEveryReader(const Bytes& bytes) {
  Try(&ReadBmp, bytes);
  Try(&DecodeJpeg, bytes);
  Try(&DecodePng, bytes);
  Try(&ReadIco, bytes);
}

// Small good files of every kind: from the corpus when it is there, else made here.
std::vector<Bytes> Seeds() {
  std::vector<Bytes> seeds = {EncodeBmp(test::MakeGradient(13, 7, PixelFormat::kBits4)),
                              EncodeBmp(test::MakeGradient(9, 5, PixelFormat::kBits8)),
                              EncodeJpeg(test::MakeGradient(16, 16), 80)};
  for (const char* file : {"bmp/bmpsuite/g/pal4rle.bmp", "bmp/bmpsuite/g/pal8rle.bmp", "bmp/bmpsuite/g/rgb16-565.bmp",
                           "bmp/bmpsuite/q/rgb24rle24.bmp", "bmp/bmpsuite/g/pal8os2.bmp", "bmp/bmpsuite/x/ba-bm.bmp",
                           "jpeg/imagemagick-input.jpg", "jpeg/imagemagick-input-progressive.jpg",
                           "png/libgdiplus-test-trns.png", "png/pillow-apng-mode_16bit.png",
                           "ico/pillow-black_and_white.ico", "ico/pillow-hopper_draw.ico"}) {
    if (const auto path = test::CorpusPath(file)) seeds.push_back(ReadWholeFile(*path));
  }
  return seeds;
}

TEST(ReaderRobustness, EveryCorpusFileThroughEveryReaderAndTheLoader) {
  const auto root = test::CorpusRoot();
  if (!root) GTEST_SKIP() << "corpus not present";
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(*root)) {
    if (!entry.is_regular_file()) continue;
    const std::string path = entry.path().string();
    FeedEveryReader(ReadWholeFile(path));
    try {
      ReadPicture(path, nullptr);
    } catch (const std::exception&) {
    }
    ++files;
  }
  EXPECT_GT(files, 100);
}

TEST(ReaderRobustness, EveryPrefixOfSmallFiles) {
  for (const Bytes& seed : Seeds()) {
    // Every length up to 4 KB, then every 97th.
    for (std::size_t length = 0; length < seed.size(); length += length < 4096 ? 1 : 97) {
      FeedEveryReader(Bytes(seed.begin(), seed.begin() + static_cast<long>(length)));
    }
  }
}

TEST(ReaderRobustness, FlippedBytes) {
  std::mt19937 random(20240611);
  for (const Bytes& seed : Seeds()) {
    for (int round = 0; round < 300; ++round) {
      Bytes damaged = seed;
      // Mostly in the headers, where sizes and counts live.
      const std::size_t span = round % 3 == 0 ? damaged.size() : std::min<std::size_t>(damaged.size(), 160);
      const int flips = 1 + round % 4;
      for (int i = 0; i < flips; ++i) {
        const std::size_t at = random() % span;
        damaged[at] = round % 2 == 0 ? static_cast<std::uint8_t>(random()) : static_cast<std::uint8_t>(damaged[at] ^ 0xFF);
      }
      FeedEveryReader(damaged);
    }
  }
}


void Put16(Bytes& b, unsigned v) { b.insert(b.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)}); }
void Put32(Bytes& b, std::uint32_t v) { Put16(b, v & 0xFFFF); Put16(b, v >> 16); }

// Headers that declare 20000 x 20000 pixels (400 million, above the bound)
// with next to no data behind them.
Bytes BmpOf20000() {
  Bytes b = {'B', 'M'};
  for (const std::uint32_t v : {1000u, 0u, 54u, 40u, 20000u, 20000u}) Put32(b, v);
  Put16(b, 1);
  Put16(b, 24);
  b.resize(1000);
  return b;
}

Bytes JpegOf20000() {
  Bytes b = {0xFF, 0xD8, 0xFF, 0xDB, 0, 67, 0};
  b.insert(b.end(), 64, 1);
  b.insert(b.end(), {0xFF, 0xC0, 0, 11, 8, 0x4E, 0x20, 0x4E, 0x20, 1, 1, 0x11, 0});
  b.insert(b.end(), {0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 63, 0, 0xFF, 0xD9});
  return b;
}

// A 100 KB file, whose size alone would let LZW fill a screen of 400 million pixels.
Bytes GifOf20000() {
  Bytes b = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(b, 20000);
  Put16(b, 20000);
  b.insert(b.end(), {0, 0, 0, 0x21, 0xFE});
  for (int i = 0; i < 400; ++i) {
    b.push_back(255);
    b.insert(b.end(), 255, 'x');
  }
  b.insert(b.end(), {0, ';'});
  return b;
}

TEST(ReaderRobustness, ADeclaredSizeBeyondTheBoundIsRefusedBeforeAnyPixelIsMade) {
  const struct {
    const char* kind;
    const char* name;
    Bytes bytes;
  } files[] = {{"BMP", "big.bmp", BmpOf20000()}, {"JPEG", "big.jpg", JpegOf20000()}, {"GIF", "big.gif", GifOf20000()}};
  for (const auto& file : files) {
    SCOPED_TRACE(file.kind);
    EXPECT_THAT([&] { DecodePicture(file.bytes, file.name, nullptr); },
                testing::ThrowsMessage<std::exception>(
                    testing::HasSubstr(std::string(file.kind) + " picture of 20000 x 20000 pixels is too large")));
  }
  // The largest square within the bound is not refused for its size.
  EXPECT_TRUE(PictureSizeAllowed(16384, 16384));
  EXPECT_FALSE(PictureSizeAllowed(16385, 16384));
  EXPECT_TRUE(PictureSizeAllowed(0, std::uint64_t{1} << 40));
  // An AVI stream of 20000 x 20000 frames is not decodable.
  Bytes format;
  for (const std::uint32_t v : {40u, 20000u, 20000u}) Put32(format, v);
  Put16(format, 1);
  Put16(format, 24);
  format.resize(40);
  EXPECT_FALSE(VideoDecoder::Open(format).has_value());
  format[4] = 0x40;  // 64 wide, 20000 high
  format[5] = 0;
  EXPECT_TRUE(VideoDecoder::Open(format).has_value());
}

}  // namespace
}  // namespace sf
