#include "effects/transitions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

#include "effects/page_flip.h"

namespace sf {

namespace {

void CheckSameFrames(const Bitmap& from, const Bitmap& to) {
  if (from.Format() != PixelFormat::kBits24 || to.Format() != PixelFormat::kBits24 || from.Width() != to.Width() ||
      from.Height() != to.Height()) {
    throw std::invalid_argument("A transition needs two 24-bit frames of one size.");
  }
}

}  // namespace

const char* TransitionName(Transition transition) {
  switch (transition) {
    case Transition::kPageFlipLeft: return "Page Flip - Left";
    case Transition::kPageFlipRight: return "Page Flip - Right";
    case Transition::kPageFlipUp: return "Page Flip - Up";
    case Transition::kPageFlipDown: return "Page Flip - Down";
    case Transition::kCrossFade: return "Cross Fade";
  }
  return "";
}

std::optional<Transition> ParseTransitionCell(std::string_view cell) {
  if (cell.size() != 1 || cell[0] < '0' || cell[0] >= '0' + kTransitionCount) return std::nullopt;
  return static_cast<Transition>(cell[0] - '0');
}

void DrawCrossFade(const Bitmap& from, const Bitmap& to, double progress, Bitmap& target) {
  CheckSameFrames(from, to);
  if (target.Format() != PixelFormat::kBits24 || target.Width() != from.Width() || target.Height() != from.Height()) {
    throw std::invalid_argument("A cross fade draws onto a 24-bit frame of its pictures' size.");
  }
  const int w = static_cast<int>(std::lround(std::clamp(progress, 0.0, 1.0) * 256));
  const std::size_t bytes = 3 * static_cast<std::size_t>(from.Width());
  for (int y = 0; y < from.Height(); ++y) {
    const std::uint8_t* a = from.Row(y).data();
    const std::uint8_t* b = to.Row(y).data();
    std::uint8_t* out = target.Row(y).data();
    for (std::size_t i = 0; i < bytes; ++i) out[i] = static_cast<std::uint8_t>((a[i] * (256 - w) + b[i] * w + 128) >> 8);
  }
}

void DrawTransition(Transition transition, const Bitmap& from, const Bitmap& to, double progress, Bitmap& target) {
  CheckSameFrames(from, to);
  if (transition == Transition::kCrossFade) {
    if (target.Format() != PixelFormat::kBits24 || target.Width() != from.Width() || target.Height() != from.Height()) {
      target = Bitmap(from.Width(), from.Height());
    }
    DrawCrossFade(from, to, progress, target);
    return;
  }
  const auto flip = static_cast<PageFlip>(static_cast<int>(transition));
  const double first = PageFlipAngle(flip, 0);
  const double last = PageFlipAngle(flip, kPageFlipFrames - 1);
  const double angle = first + (last - first) * std::clamp(progress, 0.0, 1.0);
  target = from;
  const double fold = PageFlipFold(flip, target);
  if (flip == PageFlip::kLeft || flip == PageFlip::kRight) {
    DrawPageFlipHorizontal(to, target, fold, angle, false, 0);
  } else {
    DrawPageFlipVertical(to, target, fold, angle, false, 0);
  }
}

void DrawTransitionPreviewFrame(Transition transition, const Bitmap& source, Bitmap& target, int frame, ColorRef key) {
  if (transition != Transition::kCrossFade) {
    DrawPageFlipFrame(static_cast<PageFlip>(static_cast<int>(transition)), source, target, frame, key);
    return;
  }
  if (source.Format() != PixelFormat::kBits24 || target.Format() != PixelFormat::kBits24) {
    throw std::invalid_argument("A cross fade needs 24-bit pictures.");
  }
  const int w = static_cast<int>(std::lround(std::clamp(frame, 0, kPageFlipFrames - 1) * 256.0 / (kPageFlipFrames - 1)));
  const int rows = std::min(source.Height(), target.Height());
  const int columns = std::min(source.Width(), target.Width());
  for (int y = 0; y < rows; ++y) {
    const std::uint8_t* in = source.Row(y).data();
    std::uint8_t* out = target.Row(y).data();
    for (int x = 0; x < columns; ++x, in += 3, out += 3) {
      if ((in[2] | (in[1] << 8) | (in[0] << 16)) == static_cast<int>(key)) continue;
      for (int c = 0; c < 3; ++c) out[c] = static_cast<std::uint8_t>((out[c] * (256 - w) + in[c] * w + 128) >> 8);
    }
  }
}

}  // namespace sf
