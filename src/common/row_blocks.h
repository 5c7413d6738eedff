// Work over the rows of a picture split into blocks, one per core, done side
// by side. Each block must write only its own rows; then the result is the
// same bytes as one pass over all rows.
//   ForRowBlocks(picture.Height(), [&](int first, int end) { for (int y =
//   first; y < end; ++y) ... });
#pragma once

#include <functional>

namespace sf {

// Returns when every block is done. An exception thrown by a block is thrown
// again here once all blocks have stopped (the lowest block's first).
// Pictures of fewer than 2 x min_rows rows are done on the calling thread.
void ForRowBlocks(int rows, const std::function<void(int first, int end)>& work, int min_rows = 64);

}  // namespace sf
