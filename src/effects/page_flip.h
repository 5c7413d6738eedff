// Page-flip drawing for the transitions preview: a picture squeezed towards a
// fold column (horizontal) or fold row (vertical) by the cosine or sine of an
// angle in degrees, and the fold and angle of each frame of the four
// animations, which run 80 frames and end with the picture at full size.
//   DrawPageFlipFrame(PageFlip::kUp, picture, preview, frame, key);
#pragma once

#include "image/bitmap.h"
#include "image/color.h"

namespace sf {

// The four transitions, in the order of the transition cell's "0" to "3".
enum class PageFlip { kLeft = 0, kRight = 1, kUp = 2, kDown = 3 };

inline constexpr int kPageFlipFrames = 80;

// Source pixel (j, i) lands on (trunc(fold) + trunc((j - fold) * cos), i).
// With transparent set, pixels whose colour equals key (0x00BBGGRR) are not
// drawn. Both bitmaps must be 24-bit (std::invalid_argument otherwise).
void DrawPageFlipHorizontal(const Bitmap& source, Bitmap& target, double fold, double angle, bool transparent,
                            ColorRef key);
// Source row i lands on row trunc(fold) + trunc((i - fold) * sin); later rows
// overwrite earlier ones.
void DrawPageFlipVertical(const Bitmap& source, Bitmap& target, double fold, double angle, bool transparent,
                          ColorRef key);

// The angle in degrees of frame 0 .. 79; the last frame takes the final angle.
double PageFlipAngle(PageFlip flip, int frame);
// The fold: the target's width for Left, its height for Up, 0 for the others.
double PageFlipFold(PageFlip flip, const Bitmap& target);
// Draws one frame of the animation (transparent, with the key colour) onto a
// target that already shows the background.
void DrawPageFlipFrame(PageFlip flip, const Bitmap& source, Bitmap& target, int frame, ColorRef key);

}  // namespace sf
