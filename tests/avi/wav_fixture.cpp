#include "avi/wav_fixture.h"

#include <string_view>

namespace sf::test {

std::vector<std::uint8_t> MakeWav(int channels, int rate, int bits, std::uint32_t data_size, int seed) {
  std::vector<std::uint8_t> out;
  const auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  const auto id = [&out](std::string_view text) { out.insert(out.end(), text.begin(), text.end()); };
  const int block = channels * bits / 8;
  id("RIFF");
  put(36 + data_size, 4);
  id("WAVEfmt ");
  put(16, 4);
  put(1, 2);  // PCM
  put(channels, 2);
  put(rate, 4);
  put(rate * block, 4);
  put(block, 2);
  put(bits, 2);
  id("data");
  put(data_size, 4);
  for (std::uint32_t i = 0; i < data_size; ++i) out.push_back(static_cast<std::uint8_t>(i + seed));
  return out;
}

}  // namespace sf::test
