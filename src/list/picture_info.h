// What the window says about a picture: the information box text built from the
// picture last shown in the preview, the frame size taken from a picture with its
// border, and the image viewer's Fit to Window size.
//   reporter.Message(PictureInfoText(shown, type_name));
//   width_edit->setValue(FrameSizeWithBorder(picture.Width(), border_width_percent));
#pragma once

#include <string>
#include <string_view>

namespace sf {

class Bitmap;

inline constexpr char kNoPictureYet[] = "Error: no image has been loaded yet.";

// The toolkit's pixel format codes: 1 = 1 bit, 2 = 4 bits, 3 = 8 bits, 4 = 15
// bits, 5 = 16 bits, 6 = 24 bits, 7 = 32 bits; 0 none.
int PixelFormatCode(const Bitmap& picture);
// "24 bit (16,777,216 Colors)" and the like; "Unknown bit depth/pixel format" for
// any code without a name.
std::string PixelFormatName(int code);

// The picture last loaded into the preview.
struct ShownPicture {
  std::string path = kNoPictureYet;
  int width = -1;
  int height = -1;
  int pixel_format_code = 0;
};

// A long path broken into lines for the box: above 160 characters before
// characters 60, 118 and 155 of the path; from 91 to 160 once, at half its length.
std::string BreakPathLines(std::string_view path);
// The whole information box text.
std::string PictureInfoText(const ShownPicture& shown, std::string_view type_name);

// The frame width (or height) for a picture side with a border in percent:
// trunc(size x (border x 0.01) x 2 + size), kept within the frame size limits.
int FrameSizeWithBorder(int picture_size, int border_percent);

struct ViewSize {
  int width;
  int height;
};
// Fit to Window: the picture scaled into the scroll area's client size less the
// 8-pixel margins, keeping its aspect. A picture without area keeps its size.
ViewSize FitToWindow(int picture_width, int picture_height, int area_width, int area_height);

}  // namespace sf
