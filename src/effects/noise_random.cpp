#include "effects/noise_random.h"

namespace sf {

namespace {

// Shared by the compile, the editor's previews and the converter alike on the
// user-interface thread. Work moved to another thread starts from the state the
// interface thread hands it and hands back where it ended, so each thread keeps
// its own copy.
thread_local std::uint64_t g_noise_state = 1;

}  // namespace

std::uint32_t NoiseRandom() {
  g_noise_state = g_noise_state * 0x0000015A00004E35ULL + 1;
  return static_cast<std::uint32_t>((g_noise_state >> 32) & 0x7FFFFFFF);
}

std::uint64_t NoiseRandomState() { return g_noise_state; }

void SetNoiseRandomState(std::uint64_t state) { g_noise_state = state; }

// Lemire's remainder by multiplication: with M = ceil(2^64 / d), the low 64
// bits of M * n, times d, carry n mod d in their top 64 bits.
FastModulo::FastModulo(std::uint32_t divisor)
    : m_multiplier(UINT64_MAX / divisor + 1), m_divisor(divisor) {}

}  // namespace sf
