// The LZW encoder and decoder agree on every code size, on long inputs that
// fill the table many times, and in the literal-only variant.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gif/gif_lzw_decoder.h"
#include "gif/gif_lzw_encoder.h"

namespace sf {
namespace {

std::vector<std::uint8_t> Decode(const std::vector<std::uint8_t>& codes, int code_size, std::size_t count,
                                 LzwDecodeOutcome* outcome = nullptr) {
  std::vector<std::uint8_t> pixels(count, 0xEE);
  const LzwDecodeOutcome result = DecodeGifLzw(codes, code_size, {static_cast<int>(count), 1, false, 0}, pixels);
  if (outcome != nullptr) *outcome = result;
  return pixels;
}

TEST(GifLzw, EncodedIndicesDecodeToThemselves) {
  std::uint32_t seed = 99;
  for (const TGIFCompression compression : {TGIFCompression::gcLZW, TGIFCompression::gcRLE}) {
    for (int code_size = 2; code_size <= 8; ++code_size) {
      for (const std::size_t length : {std::size_t{1}, std::size_t{2}, std::size_t{777}, std::size_t{60000}}) {
        SCOPED_TRACE(std::to_string(code_size) + " bits, " + std::to_string(length) + " indices");
        std::vector<std::uint8_t> indices(length);
        for (std::size_t i = 0; i < length; ++i) {
          seed = seed * 1103515245u + 12345u;
          // Runs and noise: long strings and many fresh ones.
          indices[i] =
              static_cast<std::uint8_t>(i % 97 < 40 ? (i / 97) % (1 << code_size) : (seed >> 16) % (1 << code_size));
        }
        LzwDecodeOutcome outcome;
        EXPECT_EQ(Decode(EncodeGifLzw(indices, code_size, compression), code_size, length, &outcome), indices);
        EXPECT_FALSE(outcome.underrun || outcome.bad_code);
      }
    }
  }
  // One value over and over builds ever longer strings.
  const std::vector<std::uint8_t> flat(1 << 20, 3);
  const auto codes = EncodeGifLzw(flat, 2, TGIFCompression::gcLZW);
  EXPECT_LT(codes.size(), 3000u);
  EXPECT_EQ(Decode(codes, 2, flat.size()), flat);
}

TEST(GifLzw, DecoderStopsAtTheEndOfTheFrameAndRefusesImpossibleCodeSizes) {
  const auto codes = EncodeGifLzw(std::vector<std::uint8_t>{1, 2, 3, 1, 2, 3, 1, 2}, 2, TGIFCompression::gcLZW);
  EXPECT_THAT(Decode(codes, 2, 3), ::testing::ElementsAre(1, 2, 3));
  for (const int code_size : {0, 12, 200}) {
    LzwDecodeOutcome outcome;
    Decode(codes, code_size, 8, &outcome);
    EXPECT_TRUE(outcome.bad_code) << code_size;
  }
}

}  // namespace
}  // namespace sf
