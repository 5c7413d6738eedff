// WAV files for the AVI tests, built in memory with the canonical 44-byte header.
//   const std::vector<std::uint8_t> wav = MakeWav(2, 44100, 16, 176400);
#pragma once

#include <cstdint>
#include <vector>

namespace sf::test {

// PCM samples whose bytes count up from seed.
std::vector<std::uint8_t> MakeWav(int channels, int rate, int bits, std::uint32_t data_size, int seed = 0);

}  // namespace sf::test
