// Frame timing: how many frames each row gets, the frame total and the video
// length, and the two status-bar readouts built from the edit texts.
//   RepeatDistributor frames(settings.repeat_value);
//   for (int row = 0; row < list.RowCount(); ++row) WriteFrames(row, frames.NextRow());
//   status.SetText(GetTotalFrames(list, compiling, repeat_text, reporter));
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sf {

class ImageList;
class Reporter;

// The largest repeat value whose frame counts stay exact in 64-bit integers.
inline constexpr double kMaxRepeatValue = 1e15;

// Shares out a fractional repeat value: with R = 1.5 the rows get 1, 2, 1, 2 ...
// frames. The carry is a double and keeps its rounding (ten steps of 0.1 may stay
// just under 1.0); no correction is applied.
class RepeatDistributor {
 public:
  // Throws std::invalid_argument for a repeat value that is negative, not finite
  // or not below kMaxRepeatValue.
  explicit RepeatDistributor(double repeat_value);
  // The number of frames of the next row.
  std::int64_t NextRow();

 private:
  double m_repeat;
  double m_whole;
  double m_carry = 0.0;
};

// trunc(row_count x repeat_value): the frame total shown and used for progress.
// Throws std::overflow_error when it does not fit.
std::int64_t TotalFrames(int row_count, double repeat_value);

// "Video Length: 1 min. 0 sec. 500 ms." or, below one second, "Video Length: 33
// milliseconds." Throws std::domain_error when frames_per_second is 0.
std::string VideoLengthText(int row_count, double repeat_value, double frames_per_second);

// A timing edit's text as a number; throws FormatError for a text that is not one.
double ReadTimingNumber(std::string_view text);

// The readouts of the status bars: "Total Frames: N" and the video length while
// the list holds pictures or a compile runs, else "Total Frames: ?" and "Video
// Length: ?". A text that cannot be computed is reported (this routine's own
// error first, then the failure's) and the readout shows "?".
std::string GetTotalFrames(const ImageList& list, bool compiling, std::string_view repeat_text, Reporter& reporter);
std::string GetVideoLength(const ImageList& list, bool compiling, std::string_view repeat_text,
                           std::string_view frames_per_second_text, Reporter& reporter);

}  // namespace sf
