// Runs a fuzz target over files and folders of files given on the command line
// (a folder that does not exist is skipped, so a missing shared corpus is not a
// failure). A crash or sanitizer report ends the run as it would end fuzzing.
#include <cstdio>
#include <filesystem>
#include <vector>

#include "common/file_util.h"
#include "fuzz/fuzz_target.h"

namespace {

void Replay(const std::filesystem::path& file, int& count) {
  const std::vector<std::uint8_t> bytes = sf::ReadWholeFile(file.string());
  LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
  ++count;
}

}  // namespace

int main(int argc, char** argv) {
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path root = argv[i];
    std::error_code error;
    if (std::filesystem::is_regular_file(root, error)) {
      Replay(root, count);
      continue;
    }
    if (!std::filesystem::is_directory(root, error)) continue;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
      if (entry.is_regular_file()) Replay(entry.path(), count);
    }
  }
  std::printf("%d inputs replayed\n", count);
  return 0;
}
