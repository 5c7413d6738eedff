// An animated GIF made small: pictures that show again at once become one
// frame with their delays added, a frame covers only the rectangle in which its
// picture differs from what the viewer shows, pixels left as they are become
// transparent where that encodes smaller, and every picture gets colours from
// its own statistics (its own table, or the table shared by all pictures when
// that serves it as well).
//   GifOptimiser optimiser(640, 360, options);
//   optimiser.Add(frame, 10);  optimiser.Repeat(10);  ...
//   TGIFImage animation;  optimiser.Build(animation);  animation.SaveToFile(path);
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "gif/gif_frame_plan.h"
#include "gif/gif_palette_mapping.h"
#include "image/bitmap.h"

namespace sf {

class TGIFImage;

struct GifOptimiserOptions {
  std::uint16_t loops = 0;       // 0 loops for ever
  // 0: every pixel shows its colour. 1 or 2: pixels of the colour of the
  // picture's top-left (1) or bottom-left (2) pixel show no colour of their own.
  int transparency = 0;
  // With transparency: such pixels show the page behind the animation (false)
  // or what the pictures before left there (true).
  bool draw_on_top = false;
  GifDither dither = GifDither::kNone;
  // A picture gets the fewest colours (16, 32 ... 256) that keep its error
  // below this PSNR (before dithering); more colours cost bytes for a change
  // nobody sees.
  double target_psnr = 35.0;
  int threads = 1;               // for building the frames
};

class GifOptimiser {
 public:
  GifOptimiser(int width, int height, GifOptimiserOptions options);

  // The next picture (width x height, any pixel format) and its delay in
  // hundredths of a second. A picture that shows the same as the one before
  // adds its delay to that frame.
  void Add(const Bitmap& picture, std::uint16_t delay);
  // The picture added last shows again for delay more.
  void Repeat(std::uint16_t delay);

  int FrameCount() const { return static_cast<int>(m_frames.size()); }
  std::uint16_t Delay(int frame) const { return m_frames.at(static_cast<std::size_t>(frame)).delay; }

  // Fills an empty image with the frames; throws GIFException when there are none.
  void Build(TGIFImage& image) const;

 private:
  struct Frame {
    std::shared_ptr<const ShownPicture> picture;
    std::uint16_t delay = 0;
  };
  ShownPicture ShownFrom(const Bitmap& picture) const;
  void AddDelay(std::uint16_t delay);

  int m_width;
  int m_height;
  GifOptimiserOptions m_options;
  std::vector<Frame> m_frames;
};

}  // namespace sf
