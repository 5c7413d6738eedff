// How a GIF animation plays: each frame's wait (12 ms per delay unit, scaled by
// the speed), the passes, and the canvas on which frames are composed with
// their disposal methods.
//   const GifPlayback plan = PlanGifPlayback(image);   // one pass + how often it plays
//   GifCompositor canvas(image);  canvas.ComposeTo(3);
#pragma once

#include <vector>

#include "gif/gif_types.h"
#include "image/bitmap.h"

namespace sf {

class TGIFImage;
class TGIFSubImage;

// The frame's delay in hundredths: 10 without a graphic control extension or
// for 0, at least 3, at most 1000 unless playback is asynchronous.
int GifPlaybackDelay(const TGIFSubImage& frame, TGIFDrawOptions options);

// Milliseconds to wait after a frame: (delay x 12 - draw_ms / 2) x 100 / speed,
// never below 0; speed is a percentage above 0.
int GifFrameWait(int delay, int speed, int draw_ms = 0);

struct GifPlaybackStep {
  int frame = 0;    // index in the image
  int wait_ms = 0;  // before the next frame
};

struct GifPlayback {
  // One pass over the frames that show something (empty frames made of
  // trailing extensions are skipped); waits as drawing took no time.
  std::vector<GifPlaybackStep> pass;
  int passes = 1;         // how many times the pass plays, when not endless
  bool endless = false;   // the pass repeats for ever
  bool paused = false;    // speed 0: the first frame stays
};

// The image's own draw options and AnimationSpeed. The first loop extension in
// frame order gives the passes (0 = endless when asynchronous); without one the
// animation plays once and stops on its last frame. Another pass needs both
// goAnimate and goLoop.
GifPlayback PlanGifPlayback(const TGIFImage& image);

// A 24-bit canvas of the logical screen's size, white at the start, on which
// frames are drawn in order: transparent pixels keep what is below, and before
// the next frame the previous one is disposed of (2 restores its area to the
// background colour, 3 to what was there before it; others leave it).
class GifCompositor {
 public:
  explicit GifCompositor(const TGIFImage& image);
  // The canvas as it stands once frame index is drawn; going back starts over.
  const Bitmap& ComposeTo(int index);
  const Bitmap& Canvas() const { return m_canvas; }

 private:
  void Restart();
  void DrawNext();
  void Dispose(const TGIFSubImage& frame);
  GifRect ClippedBounds(const TGIFSubImage& frame) const;

  const TGIFImage& m_image;
  Bitmap m_canvas;
  Bitmap m_saved;  // the area under the last frame when it restores to previous
  int m_drawn = -1;
};

}  // namespace sf
