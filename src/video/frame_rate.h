// The frame rate of an MP4 or WebM video as an exact fraction: the NTSC rates
// (29.97, 23.976, 59.94 and their like) are k x 1000/1001, every other rate
// the nearest fraction whose denominator is at most 1000.
//   const Rational rate = VideoFrameRate(29.97);   // 30000/1001
#pragma once

#include <cstdint>

namespace sf {

struct Rational {
  std::int64_t num = 0;
  std::int64_t den = 1;
  friend bool operator==(const Rational&, const Rational&) = default;
};

inline constexpr std::int64_t kMaxFrameRateDenominator = 1000;

// A positive finite rate. The numerator is 0 when the rate is below half of
// 1/1000 frame per second (no fraction of this kind comes near it).
Rational VideoFrameRate(double frames_per_second);

}  // namespace sf
