// The one pseudo-random generator behind every noise effect. It lives for the
// whole program run and is never reseeded, so the first noise after start-up is
// the same in every run and two previews in one run differ.
//   const std::uint32_t n = NoiseRandom();   // 0 .. 2147483647
#pragma once

#include <cstdint>

namespace sf {

// Advances S = S * 0x0000015A00004E35 + 1 (mod 2^64), S starting at 1, and
// returns bits 32 to 62 of the new S.
std::uint32_t NoiseRandom();

// The generator's state S, so that work can be replayed from a known point.
// Each thread has its own S; work on another thread starts from the interface
// thread's state and hands back where it ended.
std::uint64_t NoiseRandomState();
void SetNoiseRandomState(std::uint64_t state);

// n mod d for every 32-bit n and a fixed divisor d >= 1, without a division per
// call (the noise effects draw millions of times with the same divisor).
class FastModulo {
 public:
  explicit FastModulo(std::uint32_t divisor);
  std::uint32_t operator()(std::uint32_t n) const {
    // The top 64 bits of the 96-bit product low * divisor, in two halves.
    const std::uint64_t low = m_multiplier * n;
    const std::uint64_t carry = ((low & 0xFFFFFFFF) * m_divisor) >> 32;
    return static_cast<std::uint32_t>(((low >> 32) * m_divisor + carry) >> 32);
  }

 private:
  std::uint64_t m_multiplier;
  std::uint64_t m_divisor;
};

}  // namespace sf
