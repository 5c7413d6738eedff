// The one bound on a picture's size that every reader checks against the size
// its file declares, before it makes a bitmap for it: 2^28 pixels, 1 GiB at
// four bytes a pixel (a 16384 x 16384 picture is allowed, 20000 x 20000 is
// not). Metafiles keep their own, lower ceiling.
//   CheckPictureSize("JPEG", width, height);   // throws FormatError when larger
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sf {

inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{1} << 28;

bool PictureSizeAllowed(std::uint64_t width, std::uint64_t height);
// "KIND picture of W x H pixels is too large"
std::string PictureTooLarge(std::string_view kind, std::uint64_t width, std::uint64_t height);

// Throws FormatError("KIND picture of W x H pixels is too large") when the
// picture is beyond kMaxPicturePixels.
void CheckPictureSize(std::string_view kind, std::uint64_t width, std::uint64_t height);

}  // namespace sf
