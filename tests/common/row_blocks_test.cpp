#include "common/row_blocks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace sf {
namespace {

TEST(RowBlocks, EveryRowOnceAndTheLowestBlocksFailureComesBack) {
  for (const int rows : {0, 1, 127, 128, 1000, 4321}) {
    SCOPED_TRACE(rows);
    std::vector<std::atomic<int>> done(static_cast<std::size_t>(rows));
    ForRowBlocks(rows, [&](int first, int end) {
      for (int y = first; y < end; ++y) ++done[static_cast<std::size_t>(y)];
    });
    for (const auto& count : done) ASSERT_EQ(count.load(), 1);
  }
  // Rows 0-999 in blocks; the blocks holding rows 600 and 900 fail.
  EXPECT_THAT(
      [] {
        ForRowBlocks(
            1000,
            [](int first, int end) {
              for (const int bad : {900, 600}) {
                if (first <= bad && bad < end) throw std::domain_error("row " + std::to_string(bad));
              }
            },
            1);
      },
      testing::ThrowsMessage<std::domain_error>(testing::StartsWith("row ")));
}

}  // namespace
}  // namespace sf
