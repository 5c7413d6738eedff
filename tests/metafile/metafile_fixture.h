#pragma once
// Helpers shared by the WMF and EMF player tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/file_util.h"
#include "common/format_error.h"
#include "image/bitmap.h"
#include "metafile/metafile_size.h"
#include "support/corpus.h"

namespace sf::test {

using RenderMetafile = Bitmap (*)(std::span<const std::uint8_t>);

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};

inline int CountNotWhite(const Bitmap& b, int x0, int y0, int x1, int y1) {
  int count = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) count += b.PixelColor(x, y) != kWhite;
  }
  return count;
}

// The description of the FormatError the player throws, or "no error".
inline std::string FailureMessage(RenderMetafile render, const std::vector<std::uint8_t>& bytes) {
  try {
    render(bytes);
  } catch (const FormatError& e) {
    return e.what();
  }
  return "no error";
}

// Every cut-short copy and every copy with one byte flipped either plays or
// throws FormatError; the sanitizer catches anything worse.
inline void PlayEveryPrefixAndFlippedByte(RenderMetafile render, const std::vector<std::uint8_t>& good) {
  for (std::size_t length = 0; length < good.size(); ++length) {
    FailureMessage(render, std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(length)));
  }
  for (std::size_t at = 0; at < good.size(); ++at) {
    auto damaged = good;
    damaged[at] ^= 0xFF;
    FailureMessage(render, damaged);
  }
}

struct CorpusSize {
  const char* file;
  MetafileSize size;
};

// Plays each corpus file; when `min_inked_tenths` is given, at least that many
// tenths of the picture must be drawn on (a player that skipped the records
// would leave it white).
inline void ExpectCorpusSizes(RenderMetafile render, std::span<const CorpusSize> rows, int min_inked_tenths = 0) {
  for (const CorpusSize& row : rows) {
    SCOPED_TRACE(row.file);
    const auto path = CorpusPath(row.file);
    if (!path) GTEST_SKIP() << "corpus not present";
    const Bitmap b = render(ReadWholeFile(*path));
    EXPECT_EQ((MetafileSize{b.Width(), b.Height()}), row.size);
    EXPECT_EQ(b.BitsPerPixel(), 8);
    EXPECT_GE(CountNotWhite(b, 0, 0, b.Width(), b.Height()) * 10, b.Width() * b.Height() * min_inked_tenths);
  }
}

}  // namespace sf::test
