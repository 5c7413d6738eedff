#include "compile/timing.h"

#include <cmath>
#include <cstdint>
#include <utility>
#include <exception>
#include <stdexcept>

#include "common/format_error.h"
#include "common/number_format.h"
#include "common/reporter.h"
#include "list/image_list.h"
#include "list/row_display_time.h"

namespace sf {

namespace {

constexpr char kUnknownTotal[] = "Total Frames: ?";
constexpr char kUnknownLength[] = "Video Length: ?";

bool UsableFrameValue(double value) { return std::isfinite(value) && value >= 0.0 && value < kMaxRepeatValue; }

// The row's own frame value, or why there is none; nullopt value for an empty cell.
struct OwnValue {
  std::optional<double> value;
  std::string refusal;
};

OwnValue ReadOwnValue(const ImageList& list, int row, double frames_per_second) {
  const std::string& text = list.DisplayTime(row);
  if (text.empty()) return {};
  const auto refused = [row](const std::string& why) {
    return OwnValue{std::nullopt,
                    "The display time in row " + std::to_string(row + 1) + " of the list cannot be used: " + why};
  };
  const std::optional<double> seconds = ParseDisplayTime(text);
  if (!seconds) return refused(BadDisplayTimeMessage(text));
  const double value = *seconds * frames_per_second;
  if (!UsableFrameValue(value)) {
    return refused(text + " seconds at " + FormatGeneral(frames_per_second) +
                   " frames per second is not a usable number of frames.");
  }
  return {value, {}};
}

// "Video Length: ..." of a length in seconds already cut to whole units.
std::string LengthText(long long minutes, long long seconds, long long milliseconds) {
  if (minutes == 0 && seconds == 0) return "Video Length: " + std::to_string(milliseconds) + " milliseconds.";
  return "Video Length: " + std::to_string(minutes) + " min. " + std::to_string(seconds) + " sec. " +
         std::to_string(milliseconds) + " ms.";
}

}  // namespace

RepeatDistributor::RepeatDistributor(double repeat_value) : m_repeat(repeat_value), m_whole(std::trunc(repeat_value)) {
  if (!std::isfinite(repeat_value) || repeat_value < 0.0 || repeat_value >= kMaxRepeatValue) {
    throw std::invalid_argument("The repeat value " + FormatGeneral(repeat_value) + " is not a usable number of frames.");
  }
}

std::int64_t RepeatDistributor::NextRow() {
  m_carry += m_repeat - m_whole;
  const auto frames = static_cast<std::int64_t>(std::trunc(m_whole + m_carry));
  if (m_carry >= 1.0) m_carry -= 1.0;
  return frames;
}

// The same steps as above with the row's own value in place of the repeat value.
std::int64_t RepeatDistributor::NextRow(double value) {
  const double whole = std::trunc(value);
  m_carry += value - whole;
  const auto frames = static_cast<std::int64_t>(std::trunc(whole + m_carry));
  if (m_carry >= 1.0) m_carry -= 1.0;
  return frames;
}

bool HasOwnDisplayTimes(const ImageList& list) {
  if (list.ColumnCount() <= kDisplayTimeColumn) return false;
  for (int row = 0; row < list.RowCount(); ++row) {
    if (!list.DisplayTime(row).empty()) return true;
  }
  return false;
}

std::optional<std::string> DisplayTimeRefusal(const ImageList& list, double frames_per_second) {
  for (int row = 0; row < list.RowCount(); ++row) {
    OwnValue own = ReadOwnValue(list, row, frames_per_second);
    if (!own.refusal.empty()) return std::move(own.refusal);
  }
  return std::nullopt;
}

RowFrames::RowFrames(const ImageList& list, double repeat_value, double frames_per_second)
    : m_distributor(repeat_value) {
  if (!HasOwnDisplayTimes(list)) return;
  m_values.reserve(static_cast<std::size_t>(list.RowCount()));
  for (int row = 0; row < list.RowCount(); ++row) {
    const OwnValue own = ReadOwnValue(list, row, frames_per_second);
    if (!own.refusal.empty()) throw std::invalid_argument(own.refusal);
    m_values.push_back(own.value.value_or(repeat_value));
  }
}

std::int64_t RowFrames::NextRow() {
  if (m_next >= m_values.size()) return m_distributor.NextRow();
  return m_distributor.NextRow(m_values[m_next++]);
}

std::int64_t TotalFrames(int row_count, double repeat_value) {
  const double total = std::trunc(static_cast<double>(row_count) * repeat_value);
  // 2^63 as a double; anything at or beyond it (or not a number) does not fit.
  if (!(std::fabs(total) < 9223372036854775808.0)) throw std::overflow_error("The total number of frames is too large.");
  return static_cast<std::int64_t>(total);
}

std::int64_t TotalFrames(const ImageList& list, double repeat_value, double frames_per_second) {
  if (!HasOwnDisplayTimes(list)) return TotalFrames(list.RowCount(), repeat_value);
  RowFrames frames(list, repeat_value, frames_per_second);
  std::int64_t total = 0;
  for (int row = 0; row < list.RowCount(); ++row) {
    const std::int64_t n = frames.NextRow();
    if (n > INT64_MAX - total) throw std::overflow_error("The total number of frames is too large.");
    total += n;
  }
  return total;
}

std::string VideoLengthText(int row_count, double repeat_value, double frames_per_second) {
  if (frames_per_second == 0.0) throw std::domain_error("Division by zero.");
  const double length = static_cast<double>(row_count) * repeat_value / frames_per_second;
  if (!(std::fabs(length) < 1e15)) throw std::overflow_error("The video length is too large.");
  const double minutes = std::trunc(length * (1.0 / 60.0));
  const double seconds = std::trunc(length - 60.0 * minutes);
  const double milliseconds = std::trunc((length - 60.0 * minutes - seconds) * 1000.0);
  return LengthText(static_cast<long long>(minutes), static_cast<long long>(seconds),
                    static_cast<long long>(milliseconds));
}

std::string VideoLengthText(const ImageList& list, double repeat_value, double frames_per_second) {
  if (!HasOwnDisplayTimes(list)) return VideoLengthText(list.RowCount(), repeat_value, frames_per_second);
  if (frames_per_second == 0.0) throw std::domain_error("Division by zero.");
  if (const std::optional<std::string> refusal = DisplayTimeRefusal(list, frames_per_second)) {
    throw std::invalid_argument(*refusal);
  }
  double own_seconds = 0.0;
  int other_rows = 0;
  for (int row = 0; row < list.RowCount(); ++row) {
    const std::string& text = list.DisplayTime(row);
    if (text.empty()) {
      ++other_rows;
    } else {
      own_seconds += *ParseDisplayTime(text);
    }
  }
  const double length = own_seconds + static_cast<double>(other_rows) * repeat_value / frames_per_second;
  if (!(std::fabs(length) < 1e15)) throw std::overflow_error("The video length is too large.");
  // Whole milliseconds, exact in a double far beyond any real length.
  const double total_ms = std::floor(std::round(length * 1e6) / 1000.0);
  const double minutes = std::trunc(total_ms / 60000.0);
  const double seconds = std::trunc((total_ms - 60000.0 * minutes) / 1000.0);
  const double milliseconds = total_ms - 60000.0 * minutes - 1000.0 * seconds;
  return LengthText(static_cast<long long>(minutes), static_cast<long long>(seconds),
                    static_cast<long long>(milliseconds));
}

double ReadTimingNumber(std::string_view text) {
  const auto value = ParseDouble(text);
  if (!value) throw FormatError("\"" + std::string(text) + "\" is not a valid number.");
  return *value;
}

std::string GetTotalFrames(const ImageList& list, bool compiling, std::string_view repeat_text,
                           std::string_view frames_per_second_text, Reporter& reporter) {
  if (list.IsEmpty() && !compiling) return kUnknownTotal;
  try {
    const double repeat = ReadTimingNumber(repeat_text);
    if (!HasOwnDisplayTimes(list)) return "Total Frames: " + std::to_string(TotalFrames(list.RowCount(), repeat));
    const double frames_per_second = ReadTimingNumber(frames_per_second_text);
    return "Total Frames: " + std::to_string(TotalFrames(list, repeat, frames_per_second));
  } catch (const std::exception& failure) {
    reporter.Error("Error getting the total frames in function GetTotalFrames().");
    reporter.Error(failure.what());
    return kUnknownTotal;
  }
}

std::string GetVideoLength(const ImageList& list, bool compiling, std::string_view repeat_text,
                           std::string_view frames_per_second_text, Reporter& reporter) {
  if (list.IsEmpty() && !compiling) return kUnknownLength;
  try {
    const double repeat = ReadTimingNumber(repeat_text);
    const double frames_per_second = ReadTimingNumber(frames_per_second_text);
    return VideoLengthText(list, repeat, frames_per_second);
  } catch (const std::exception& failure) {
    reporter.Error("Error getting the video length in function GetVideoLength().");
    reporter.Error(failure.what());
    return kUnknownLength;
  }
}

}  // namespace sf
