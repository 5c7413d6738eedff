// The GIF frame extractor's core: reading an animation with its timing, drawing
// its frames one over the other onto a preview picture with one of two
// methods, and writing a range of the composed frames as numbered BMP files.
//   TGIFImage image;  const GifAnimationInfo info = ReadGifAnimation(image, path);
//   Bitmap preview = RenderStill(image);  GifFrameDrawer drawer(image);
//   ExtractGifFrames(image, drawer, request, preview, reporter, progress);
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/progress_observer.h"
#include "common/reporter.h"
#include "image/bitmap.h"
#include "tools/frame_extraction.h"

namespace sf {

class TGIFImage;

// In the order of the window's drop-down list.
enum class GifDrawMethod { kDrawNew = 0, kDrawOnTop = 1 };

struct GifAnimationInfo {
  int width = 0;   // the logical screen
  int height = 0;
  int frames = 0;  // without an empty last frame made of trailing extensions
  long long total_ms = 0;  // every frame's delay x 10
  int first_frame_ms = 0;
  double average_rate = 0;  // frames per second; 0 when the animation takes no time
  GifDrawMethod method = GifDrawMethod::kDrawOnTop;  // preset from frame 0's disposal
};

// The frames that show something: an empty last frame (extensions after the
// last picture) does not count.
int GifFrameTotal(const TGIFImage& image);

// Frame index's delay x 10 in milliseconds; a frame without a graphic control
// extension is given an empty one, so its time reads 0.
int GifFrameTime(TGIFImage& image, int index);

// "Draw on top of previous" when frame 0 keeps the previous picture (disposal 0
// or 1, or no graphic control extension), else "Draw each frame new".
GifDrawMethod PresetGifDrawMethod(const TGIFImage& image);

// Loads the file into image and measures it. Throws the codec's errors, and
// FormatError "The GIF file holds no frames." when nothing is left to show.
GifAnimationInfo ReadGifAnimation(TGIFImage& image, const std::string& path);

// "Total Time: 1 min. 15 sec. 230 ms." for 75230.
std::string GifTotalTimeText(long long total_ms);
// "Average FPS: 6.66666666666667".
std::string GifAverageRateText(double rate);

// Draws frames onto a preview picture of the logical screen's size, keeping
// the preview's format (an 8-bit preview takes the nearest colour of its own
// palette). Disposal methods are not applied; the method stands in for them:
// "new" fills a transparent frame's whole preview with its transparent colour
// first and draws it opaquely, "on top" leaves the preview showing through the
// pixels of the frame's transparent colour. A frame once drawn "on top" keeps
// that colour as its transparent colour for "new".
class GifFrameDrawer {
 public:
  explicit GifFrameDrawer(const TGIFImage& image);

  void Draw(int index, GifDrawMethod method, Bitmap& preview);
  // What viewing frame index shows: the frame and at most the 60 before it,
  // drawn in order over what the preview holds.
  void DrawForView(int index, GifDrawMethod method, Bitmap& preview);

 private:
  const TGIFImage& m_image;
  std::vector<std::optional<Rgb>> m_marks;  // per frame, the colour set by "on top"
};

// Reverse order runs the file numbers backwards over the frames in order.
struct GifExtractionRequest : ExtractionTarget {
  GifDrawMethod method = GifDrawMethod::kDrawOnTop;
};

// Checks the destination and the range as the AVI extraction does, draws
// frames 0 to first - 2 onto the preview to build the picture up, then draws
// every frame of the range in order and saves the preview after each. Progress
// and the stop test come every 5 frames; a failure ends the run with "Error
// opening GIF file - ExtractBtnClick()." after its own text.
ExtractionResult ExtractGifFrames(const TGIFImage& image, GifFrameDrawer& drawer, const GifExtractionRequest& request,
                                  Bitmap& preview, Reporter& reporter, ProgressObserver& progress);

}  // namespace sf
