// The delays of an animated GIF's frames, in hundredths of a second: a whole
// part of 100 / F on every frame and a carried remainder that adds one now and
// then, so the delays average 100 / F.
//   GifDelays delays(30.0);
//   delays.Next();   // 3, 3, 3, 4, 3, 3, 4, ...
#pragma once

#include <cstdint>

namespace sf {

class GifDelays {
 public:
  explicit GifDelays(double frames_per_second);
  // The next frame's delay. It uses the carry as it stood before the frame, and
  // the carry loses its whole one only after that use, so each correction comes
  // one frame late. A delay beyond 16 bits is held at 65535.
  std::uint16_t Next();

 private:
  double m_ideal;   // 100 / F
  double m_carry = 0.0;
};

}  // namespace sf
