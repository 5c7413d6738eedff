// The reopen history file ("Reopen.dat"), read as the program starts.
#include "fuzz/fuzz_target.h"
#include "project/reopen_history.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = sf::fuzz::InputFile(sf::fuzz::Bytes(data, size), ".dat");
  sf::ReopenHistory history;
  history.Load(path);
  (void)history.Format();
  return 0;
}
