#include "tools/frame_extraction.h"

#include <exception>

#include "common/file_util.h"
#include "image/bmp_writer.h"

namespace sf {

namespace {

int DecimalDigits(long long value) {
  int digits = 1;
  while (value >= 10) {
    value /= 10;
    ++digits;
  }
  return digits;
}

std::string ExtractionProgressLabel(int processed, int percent) {
  return "Frames Processed/Percent: " + std::to_string(processed) + " / " + std::to_string(percent) + "%";
}

// Whole percent of processed in count, truncated.
int Percent(int processed, int count) {
  return count > 0 ? static_cast<int>(static_cast<long long>(processed) * 100 / count) : 0;
}

void DrawOrReport(FrameSource& source, int index, Bitmap& preview, Reporter& reporter) {
  try {
    source.DrawFrame(index, preview);
  } catch (const std::exception& error) {
    reporter.Error(error.what());
    reporter.Error("Error getting frame - GetFrame().");
  }
}

}  // namespace

void ShowExtractionProgress(ProgressObserver& progress, int processed, int count) {
  const int percent = Percent(processed, count);
  progress.Progress(ExtractionProgressLabel(processed, percent), percent);
}

std::string FrameFileName(const std::string& base, int k, int total) {
  const int width = DecimalDigits(total > 1 ? total - 1 : 0);
  std::string number = std::to_string(k);
  if (static_cast<int>(number.size()) < width) number.insert(0, static_cast<std::size_t>(width) - number.size(), '0');
  return base + number + ".bmp";
}

ExtractionResult RunFrameExtraction(const ExtractionTarget& target, const ExtractionSteps& steps,
                                    const Bitmap& preview, Reporter& reporter, ProgressObserver& progress) {
  ExtractionResult result;
  ShowExtractionProgress(progress, 0, 0);
  progress.ProcessEvents();
  if (target.base.empty()) {
    reporter.Error("Please choose a destination for the bitmaps. Process stopped.\n- ExtractBtnClick()");
    result.outcome = ExtractionOutcome::kNoDestination;
    return result;
  }
  const int s = target.first;
  const int e = target.last;
  if (e > steps.total || s <= 0 || e < s) {
    reporter.Error("Invalid frame range. - ExtractBtnClick()");
    result.outcome = ExtractionOutcome::kInvalidRange;
    return result;
  }

  result.count = e - s + 1;
  result.output_folder = FolderOf(target.base);
  const ExtractionStyle& style = steps.style;
  const int interval = style.progress_interval > 0 ? style.progress_interval : 1;
  const bool reverse_frames = target.reverse && !style.reverse_numbers;
  const bool reverse_numbers = target.reverse && style.reverse_numbers;
  try {
    steps.begin();
    progress.ProcessEvents();
    for (int k = s - 1; k <= e - 1; ++k) {
      const int mirrored = (e - 1) - k + (s - 1);
      const int frame = reverse_frames ? mirrored : k;
      steps.draw(frame);
      WriteBmpFile(preview, FrameFileName(target.base, reverse_numbers ? mirrored : k, steps.total));
      ++result.processed;
      if ((k + 1) % interval != 0) continue;
      ShowExtractionProgress(progress, result.processed, result.count);
      if (target.show_frame) target.show_frame(frame + 1);
      progress.ProcessEvents();
      if (progress.StopRequested()) {
        result.outcome = ExtractionOutcome::kStopped;
        break;
      }
    }
    if (target.open_folder != nullptr && !result.output_folder.empty()) target.open_folder->Open(result.output_folder);
  } catch (const std::exception& error) {
    reporter.Error(error.what());
    reporter.Error(style.failure_message);
    result.outcome = ExtractionOutcome::kFailed;
  }
  ShowExtractionProgress(progress, result.processed, result.count);
  return result;
}

ExtractionResult ExtractFrames(FrameSource& source, const ExtractionRequest& request, Bitmap& preview,
                               Reporter& reporter, ProgressObserver& progress) {
  ExtractionSteps steps;
  steps.total = source.FrameCount();
  steps.style = request.style;
  steps.begin = [&] {
    preview = Bitmap(source.Width(), source.Height(), PixelFormat::kBits24);
    if (request.show_frame) request.show_frame(request.first);
  };
  steps.draw = [&](int index) { DrawOrReport(source, index, preview, reporter); };
  return RunFrameExtraction(request, steps, preview, reporter, progress);
}

}  // namespace sf
