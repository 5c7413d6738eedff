// Drawing GIF frames onto bitmaps: a frame at its place on a canvas of the
// logical screen's size (transparent pixels leave the canvas as it was), the
// image's still picture, and the image drawn the way pictures are loaded.
//   Bitmap canvas(image.Width(), image.Height(), PixelFormat::kBits8);
//   DrawGifImage(image, canvas);
#pragma once

#include "image/bitmap.h"

namespace sf {

class TGIFImage;
class TGIFSubImage;

// One canvas pixel per logical screen pixel; the frame is clipped to the canvas.
// A paletted canvas takes the nearest entry of its palette for every colour.
void DrawGifFrame(const TGIFSubImage& frame, Bitmap& canvas, bool use_transparency);

// The first frame over the canvas's content, its transparent pixels (when the
// image's draw options include goTransparent) leaving the canvas as it was.
void DrawGifImage(const TGIFImage& image, Bitmap& canvas);

// The still picture: a copy of the first frame's bitmap (8-bit, its colour
// table) when that frame has the logical screen's size; otherwise a white
// 24-bit picture of the screen's size with the first frame drawn opaquely.
Bitmap RenderStill(const TGIFImage& image);

}  // namespace sf
