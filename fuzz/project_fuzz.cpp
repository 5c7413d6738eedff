// The project file reader: a record or the reader's message, and a record
// read back from what it writes.
#include <cstdlib>

#include "common/format_error.h"
#include "fuzz/fuzz_target.h"
#include "project/project_reader.h"
#include "project/project_writer.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  sf::ProjectRecord record;
  try {
    record = sf::ParseProject(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const sf::FormatError&) {
    return 0;
  }
  // What was read is written and read again to the same text.
  const std::string text = sf::FormatProject(record);
  if (sf::FormatProject(sf::ParseProject(text)) != text) std::abort();
  return 0;
}
