// Frame timing: how many frames each row gets, the frame total and the video
// length, and the two status-bar readouts built from the edit texts. A row with
// its own display time t is worth t x F frames instead of the repeat value.
//   RowFrames frames(list, settings.repeat_value, settings.frames_per_second);
//   for (int row = 0; row < list.RowCount(); ++row) WriteFrames(row, frames.NextRow());
//   status.SetText(GetTotalFrames(list, compiling, repeat_text, fps_text, reporter));
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
  // The same for a row worth value frames instead of the repeat value (a value
  // checked as the repeat value is).
  std::int64_t NextRow(double value);

 private:
  double m_repeat;
  double m_whole;
  double m_carry = 0.0;
};

// True when some row has a display time of its own.
bool HasOwnDisplayTimes(const ImageList& list);

// Why a row's display time cannot be used ("The display time in row 3 of the
// list cannot be used: ..."), for the first such row; nullopt when every row's
// can. A time is unusable when its text is not a number of seconds from 0 to
// kMaxDisplaySeconds, or when it gives a frame value that RepeatDistributor refuses.
std::optional<std::string> DisplayTimeRefusal(const ImageList& list, double frames_per_second);

// The frames of each row of a list in order: the carry runs over the rows with
// each row's own value, so a list without own display times gets exactly the
// repeat value's distribution.
class RowFrames {
 public:
  // Throws std::invalid_argument for a repeat value RepeatDistributor refuses
  // or a display time DisplayTimeRefusal names (with its message).
  RowFrames(const ImageList& list, double repeat_value, double frames_per_second);
  // The number of frames of the next row; rows past the list's end get the
  // repeat value's.
  std::int64_t NextRow();

 private:
  RepeatDistributor m_distributor;
  std::vector<double> m_values;   // each row's frame value; empty when no row has its own time
  std::size_t m_next = 0;
};

// trunc(row_count x repeat_value): the frame total shown and used for progress.
// Throws std::overflow_error when it does not fit.
std::int64_t TotalFrames(int row_count, double repeat_value);
// The total of a list: as above when no row has its own display time, else the
// sum of the rows' frames as RowFrames gives them. Throws as RowFrames does, and
// std::overflow_error when the sum does not fit.
std::int64_t TotalFrames(const ImageList& list, double repeat_value, double frames_per_second);

// "Video Length: 1 min. 0 sec. 500 ms." or, below one second, "Video Length: 33
// milliseconds." Throws std::domain_error when frames_per_second is 0.
std::string VideoLengthText(int row_count, double repeat_value, double frames_per_second);
// The length of a list: as above when no row has its own display time, else
// each own time plus repeat_value / frames_per_second for every other row,
// rounded to the microsecond before the milliseconds are cut (1.94 seconds of
// decimal times shows 940 ms). Throws std::invalid_argument for an unusable
// display time.
std::string VideoLengthText(const ImageList& list, double repeat_value, double frames_per_second);

// A timing edit's text as a number; throws FormatError for a text that is not one.
double ReadTimingNumber(std::string_view text);

// The readouts of the status bars: "Total Frames: N" and the video length while
// the list holds pictures or a compile runs, else "Total Frames: ?" and "Video
// Length: ?". A text that cannot be computed is reported (this routine's own
// error first, then the failure's) and the readout shows "?". The total reads
// the frame rate only when some row has its own display time.
std::string GetTotalFrames(const ImageList& list, bool compiling, std::string_view repeat_text,
                           std::string_view frames_per_second_text, Reporter& reporter);
std::string GetVideoLength(const ImageList& list, bool compiling, std::string_view repeat_text,
                           std::string_view frames_per_second_text, Reporter& reporter);

}  // namespace sf
