// JPEG files with an EXIF block written by the test itself: the orientation
// tag in either byte order, or any APP1 body at all for damaged blocks.
//   const auto photo = WithExifOrientation(EncodeJpeg(picture, 90), 6, ByteOrder::kMotorola);
#pragma once

#include <cstdint>
#include <vector>

namespace sf::test {

enum class ByteOrder { kIntel, kMotorola };  // "II" little-endian, "MM" big-endian

// "Exif\0\0", a TIFF header and IFD0 holding, in this order, an ImageWidth
// entry, the Orientation entry (SHORT, count 1) and a zero link to the next IFD.
std::vector<std::uint8_t> ExifOrientationBlock(int orientation, ByteOrder order);
// The JPEG with an APP1 segment of that body right after its start-of-image marker.
std::vector<std::uint8_t> WithApp1(const std::vector<std::uint8_t>& jpeg, const std::vector<std::uint8_t>& body);
inline std::vector<std::uint8_t> WithExifOrientation(const std::vector<std::uint8_t>& jpeg, int orientation,
                                                     ByteOrder order) {
  return WithApp1(jpeg, ExifOrientationBlock(orientation, order));
}

}  // namespace sf::test
