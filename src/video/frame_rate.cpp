#include "video/frame_rate.h"

#include <cmath>

namespace sf {

namespace {

// A rate typed as 29.97 or 23.976 means the NTSC rate k x 1000/1001, which it
// rounds: it lies within the typed digits' last half unit of it.
bool NearNtscRate(double rate, std::int64_t k) {
  const double ntsc = static_cast<double>(k) * 1000.0 / 1001.0;
  return k >= 1 && std::fabs(rate - ntsc) < 0.0005 && std::fabs(rate - std::round(rate)) > 0.0005;
}

// The best approximation with a bounded denominator, from the continued
// fraction's convergents and the last semiconvergent.
Rational NearestFraction(double x, std::int64_t max_den) {
  std::int64_t p0 = 0, q0 = 1, p1 = 1, q1 = 0;
  double rest = x;
  for (int step = 0; step < 64; ++step) {
    const double whole = std::floor(rest);
    if (whole > 4.0e15) break;
    const auto a = static_cast<std::int64_t>(whole);
    const std::int64_t q2 = q0 + a * q1;
    if (q2 > max_den) {
      // The semiconvergent with the largest denominator that fits may be nearer.
      const std::int64_t t = (max_den - q0) / q1;
      const Rational semi{p0 + t * p1, q0 + t * q1};
      const Rational last{p1, q1};
      const double semi_error = std::fabs(x - static_cast<double>(semi.num) / static_cast<double>(semi.den));
      const double last_error = std::fabs(x - static_cast<double>(last.num) / static_cast<double>(last.den));
      return semi_error < last_error ? semi : last;
    }
    const std::int64_t p2 = p0 + a * p1;
    p0 = p1, q0 = q1, p1 = p2, q1 = q2;
    const double fraction = rest - whole;
    if (fraction < 1e-12) break;
    rest = 1.0 / fraction;
  }
  return {p1, q1};
}

}  // namespace

Rational VideoFrameRate(double frames_per_second) {
  const auto k = static_cast<std::int64_t>(std::llround(frames_per_second * 1001.0 / 1000.0));
  if (NearNtscRate(frames_per_second, k)) return {k * 1000, 1001};
  Rational rate = NearestFraction(frames_per_second, kMaxFrameRateDenominator);
  if (rate.num == 0) return {0, 1};
  return rate;
}

}  // namespace sf
