// WAV reading for the AVI sound track: a refusal or samples inside the file.
#include <cstdlib>

#include "avi/wav_reader.h"
#include "common/format_error.h"
#include "fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  try {
    const sf::WavData wav = sf::ReadWav(sf::fuzz::Bytes(data, size));
    if (wav.samples.data() < data || wav.samples.data() + wav.samples.size() > data + size) std::abort();
  } catch (const sf::FormatError&) {
    // the reader's refusal
  }
  return 0;
}
