// The orientation a camera recorded for a JPEG photo: tag 0x0112 of the first
// image directory in the APP1 "Exif" segment, in either byte order. Only the
// segments before the first scan are looked at; a missing or damaged block
// gives kUpright, never an error.
//   const ExifOrientation turn = ReadExifOrientation(jpeg_bytes);
#pragma once

#include <cstdint>
#include <span>

namespace sf {

// How the stored pixels must be moved to show the photo upright; the values
// are the tag's own (1 to 8).
enum class ExifOrientation : std::uint8_t {
  kUpright = 1,
  kMirrorHorizontal = 2,
  kRotate180 = 3,
  kMirrorVertical = 4,
  kTranspose = 5,     // mirrored about the top-left to bottom-right diagonal
  kRotate90 = 6,      // clockwise
  kTransverse = 7,    // mirrored about the top-right to bottom-left diagonal
  kRotate270 = 8,     // clockwise (90 anticlockwise)
};

// Never throws; any value of the tag outside 1 to 8 gives kUpright.
ExifOrientation ReadExifOrientation(std::span<const std::uint8_t> jpeg);

}  // namespace sf
