// The AVI reader of the frame extractor: the stream table, the information
// the window shows, and frames decoded from the start, the end and beyond.
#include <algorithm>
#include <exception>

#include "avi/avi_reader.h"
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = sf::fuzz::InputFile(sf::fuzz::Bytes(data, size), ".avi");
  sf::SilentReporter reporter;
  sf::AviReader reader(reporter);
  if (!reader.InitAvi(path)) return 0;
  const auto info = reader.GetAviInfo();
  if (!info) return 0;
  sf::Bitmap target(16, 12);
  const std::int64_t length = info->length;
  for (const std::int64_t k : {std::int64_t{-1}, std::int64_t{0}, std::int64_t{1}, length / 2, length - 1, length}) {
    reader.GetFrame(target, 16, 12, k);
  }
  return 0;
}
