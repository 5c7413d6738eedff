#include "compile/gif_delays.h"

#include <algorithm>
#include <cmath>

namespace sf {

// The ideal delay is formed in extended precision and then kept as a double:
// at 24 frames per second that rounds 4.1666... up, so six carries reach 1.0
// and every seventh delay is 5 (a double quotient rounds down and the 5 comes
// one frame later).
GifDelays::GifDelays(double frames_per_second)
    : m_ideal(static_cast<double>(1.0L / static_cast<long double>(frames_per_second) * 100.0L)) {}

std::uint16_t GifDelays::Next() {
  const double whole = std::trunc(m_ideal);
  const double delay = std::trunc(whole + m_carry);
  if (m_carry >= 1.0) m_carry -= 1.0;
  m_carry += m_ideal - whole;
  // A rate so slow that the delay passes 16 bits (or not a number at all)
  // must not wrap around to a short delay.
  if (!(delay >= 0.0)) return 0;
  return static_cast<std::uint16_t>(std::min(delay, 65535.0));
}

}  // namespace sf
