// Writing a range of frames as numbered 24-bit BMP files, forward or in reverse
// order, with progress every few frames and a stop request: the core of the
// AVI and GIF frame extractors. The frames come from a FrameSource.
//   const ExtractionResult result = ExtractFrames(source, request, preview, reporter, progress);
//   FrameFileName("/out/img", 3, 25) == "/out/img03.bmp"
#pragma once

#include <functional>
#include <string>

#include "common/desktop.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "image/bitmap.h"

namespace sf {

// The frames of a video or an animation.
class FrameSource {
 public:
  virtual ~FrameSource() = default;
  virtual int FrameCount() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  // Draws frame index (0-based) into a 24-bit target of Width() x Height();
  // may throw, which is reported as a frame error.
  virtual void DrawFrame(int index, Bitmap& target) = 0;
};

// What differs between the two extractors.
struct ExtractionStyle {
  int progress_interval = 20;  // progress when (frame index + 1) is a multiple of it
  // Reverse order runs the frames backwards under ascending file numbers (AVI),
  // or the file numbers backwards over the frames in order (GIF).
  bool reverse_numbers = false;
  std::string failure_message = "Error opening AVI file - ExtractBtnClick().";
};

// The destination and the range, as both extractors take them.
struct ExtractionTarget {
  std::string base;  // output name without number; empty when none was chosen
  int first = 1;     // 1-based, inclusive
  int last = 1;
  bool reverse = false;  // what runs backwards is the style's choice
  // Called with the 1-based number of the frame to show in the view field.
  std::function<void(int)> show_frame;
  // Opens the output folder when the extraction ends without a failure; null
  // to leave it closed.
  Desktop* open_folder = nullptr;
};

struct ExtractionRequest : ExtractionTarget {
  ExtractionStyle style;
};

enum class ExtractionOutcome { kNoDestination, kInvalidRange, kCompleted, kStopped, kFailed };

struct ExtractionResult {
  ExtractionOutcome outcome = ExtractionOutcome::kCompleted;
  int processed = 0;
  int count = 0;
  std::string output_folder;  // base up to and including its last "/"
};

// base + k in decimal, padded with zeros to the digit count of total - 1, + ".bmp".
std::string FrameFileName(const std::string& base, int k, int total);

// "Frames Processed/Percent: 3 / 60%" with the truncated percent of processed
// in count, and the fill.
void ShowExtractionProgress(ProgressObserver& progress, int processed, int count);

// Checks the destination and the range (errors "Please choose a destination
// for the bitmaps. Process stopped.\n- ExtractBtnClick()" and "Invalid frame
// range. - ExtractBtnClick()"), then draws every frame of the range into the
// preview (made Width() x Height(), 24-bit) and saves it. Progress goes to the
// observer as the label and the percent; the stop request is tested at every
// progress step. A frame that cannot be drawn is reported ("Error getting frame
// - GetFrame()." after its own text) and saved as the preview held it; a
// failure to save ends the run with the style's failure message.
ExtractionResult ExtractFrames(FrameSource& source, const ExtractionRequest& request, Bitmap& preview,
                               Reporter& reporter, ProgressObserver& progress);

// How an extractor gets its frames into the preview, for the run both share.
struct ExtractionSteps {
  int total = 0;  // the frames there are: bounds the range and pads the file numbers
  ExtractionStyle style;
  // Readies the preview for the first frame of the range; may throw.
  std::function<void()> begin;
  // Draws the frame with this 0-based index into the preview; may throw.
  std::function<void(int)> draw;
};

// The checks and the loop of ExtractFrames, with the frames drawn by steps:
// begin, then draw and save every frame of the range with progress, the view
// and the stop test every style.progress_interval frames, then open the folder.
// A throw from begin, draw or a save ends the run as a failure.
ExtractionResult RunFrameExtraction(const ExtractionTarget& target, const ExtractionSteps& steps,
                                    const Bitmap& preview, Reporter& reporter, ProgressObserver& progress);

}  // namespace sf
