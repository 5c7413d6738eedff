#include "compile/timing.h"

#include <cmath>
#include <exception>
#include <stdexcept>

#include "common/format_error.h"
#include "common/number_format.h"
#include "common/reporter.h"
#include "list/image_list.h"

namespace sf {

namespace {

constexpr char kUnknownTotal[] = "Total Frames: ?";
constexpr char kUnknownLength[] = "Video Length: ?";

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

std::int64_t TotalFrames(int row_count, double repeat_value) {
  const double total = std::trunc(static_cast<double>(row_count) * repeat_value);
  // 2^63 as a double; anything at or beyond it (or not a number) does not fit.
  if (!(std::fabs(total) < 9223372036854775808.0)) throw std::overflow_error("The total number of frames is too large.");
  return static_cast<std::int64_t>(total);
}

std::string VideoLengthText(int row_count, double repeat_value, double frames_per_second) {
  if (frames_per_second == 0.0) throw std::domain_error("Division by zero.");
  const double length = static_cast<double>(row_count) * repeat_value / frames_per_second;
  if (!(std::fabs(length) < 1e15)) throw std::overflow_error("The video length is too large.");
  const double minutes = std::trunc(length * (1.0 / 60.0));
  const double seconds = std::trunc(length - 60.0 * minutes);
  const double milliseconds = std::trunc((length - 60.0 * minutes - seconds) * 1000.0);
  const auto m = static_cast<long long>(minutes);
  const auto s = static_cast<long long>(seconds);
  const auto ms = static_cast<long long>(milliseconds);
  if (m == 0 && s == 0) return "Video Length: " + std::to_string(ms) + " milliseconds.";
  return "Video Length: " + std::to_string(m) + " min. " + std::to_string(s) + " sec. " + std::to_string(ms) + " ms.";
}

double ReadTimingNumber(std::string_view text) {
  const auto value = ParseDouble(text);
  if (!value) throw FormatError("\"" + std::string(text) + "\" is not a valid number.");
  return *value;
}

std::string GetTotalFrames(const ImageList& list, bool compiling, std::string_view repeat_text, Reporter& reporter) {
  if (list.IsEmpty() && !compiling) return kUnknownTotal;
  try {
    const double repeat = ReadTimingNumber(repeat_text);
    return "Total Frames: " + std::to_string(TotalFrames(list.RowCount(), repeat));
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
    return VideoLengthText(list.RowCount(), repeat, frames_per_second);
  } catch (const std::exception& failure) {
    reporter.Error("Error getting the video length in function GetVideoLength().");
    reporter.Error(failure.what());
    return kUnknownLength;
  }
}

}  // namespace sf
