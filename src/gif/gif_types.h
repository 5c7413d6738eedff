// The GIF codec's vocabulary: its exception, the enumerations of colour
// reduction, dithering, compression, draw options and disposal, and the
// default options every new image starts with.
//   if (image.DrawOptions().Contains(TGIFDrawOption::goLoop)) ...
//   throw GIFException("Premature end of data");
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "common/format_error.h"

namespace sf {

// Every failure of the GIF codec; the text is the message a person sees.
class GIFException : public FormatError {
 public:
  using FormatError::FormatError;
};

// Receives the codec's warnings (conditions it recovers from); by default nobody listens.
using GIFWarningHandler = std::function<void(const std::string& text)>;

enum class TColorReduction {
  rmNone,
  rmWindows20,
  rmWindows256,
  rmWindowsGray,
  rmMonochrome,
  rmGrayScale,
  rmNetscape,
  rmQuantize,
  rmQuantizeWindows,
  rmPalette,
};

enum class TDitherMode { dmNearest, dmFloydSteinberg, dmStucki, dmSierra, dmJaJuNI, dmSteveArche, dmBurkes };

// gcRLE writes a stream any LZW decoder reads, made of literal codes only.
enum class TGIFCompression { gcLZW, gcRLE };

enum class TGIFDrawOption {
  goAsync,
  goTransparent,
  goAnimate,
  goLoop,
  goLoopContinously,
  goValidateCanvas,
  goDirectDraw,
  goClearOnLoop,
  goTile,
  goDither,
  goAutoDither,
};

// A set of draw options, stored as bits numbered by TGIFDrawOption.
class TGIFDrawOptions {
 public:
  constexpr TGIFDrawOptions() = default;
  constexpr explicit TGIFDrawOptions(std::uint32_t bits) : m_bits(bits) {}

  constexpr bool Contains(TGIFDrawOption option) const { return (m_bits & Bit(option)) != 0; }
  constexpr void Include(TGIFDrawOption option) { m_bits |= Bit(option); }
  constexpr void Exclude(TGIFDrawOption option) { m_bits &= ~Bit(option); }
  constexpr std::uint32_t Bits() const { return m_bits; }

 private:
  static constexpr std::uint32_t Bit(TGIFDrawOption option) { return 1u << static_cast<int>(option); }
  std::uint32_t m_bits = 0;
};

// The disposal field of a graphic control extension is 3 bits wide; values 4..7
// have no name and are kept as read.
enum class TDisposalMethod : std::uint8_t { dmNone = 0, dmNoDisposal = 1, dmBackground = 2, dmPrevious = 3 };

// goAsync, goTransparent, goAnimate, goLoop, goDither, goAutoDither.
inline constexpr TGIFDrawOptions GIFImageDefaultDrawOptions{0x060F};
inline constexpr TColorReduction GIFImageDefaultColorReduction = TColorReduction::rmNetscape;
inline constexpr int GIFImageDefaultColorReductionBits = 8;
inline constexpr TDitherMode GIFImageDefaultDitherMode = TDitherMode::dmNearest;
inline constexpr TGIFCompression GIFImageDefaultCompression = TGIFCompression::gcLZW;
inline constexpr int GIFImageDefaultAnimationSpeed = 100;

// Playback timing, in hundredths of a second, and the length of one delay unit.
inline constexpr int GIFDefaultDelay = 10;
inline constexpr int GIFMinimumDelay = 3;
inline constexpr int GIFMaximumDelay = 1000;
inline constexpr int GIFDelayExp = 12;

// A rectangle of the logical screen, right and bottom exclusive.
struct GifRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const GifRect&, const GifRect&) = default;
};

}  // namespace sf
