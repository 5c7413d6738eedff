#include "common/row_blocks.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace sf {

void ForRowBlocks(int rows, const std::function<void(int first, int end)>& work, int min_rows) {
  const int cores = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  const int blocks = std::clamp(rows / std::max(1, min_rows), 1, cores);
  if (blocks == 1) {
    if (rows > 0) work(0, rows);
    return;
  }
  std::vector<std::exception_ptr> failures(static_cast<std::size_t>(blocks));
  const auto run = [&](int block) {
    try {
      work(static_cast<int>(std::int64_t{rows} * block / blocks),
           static_cast<int>(std::int64_t{rows} * (block + 1) / blocks));
    } catch (...) {
      failures[static_cast<std::size_t>(block)] = std::current_exception();
    }
  };
  std::vector<std::thread> helpers;
  for (int block = 1; block < blocks; ++block) {
    try {
      helpers.emplace_back(run, block);
    } catch (const std::system_error&) {
      run(block);  // no thread to be had: this one does the block
    }
  }
  run(0);
  for (std::thread& helper : helpers) helper.join();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
}

}  // namespace sf
