#include "compile/timing_fields.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "common/number_format.h"
#include "compile/compile_settings.h"

namespace sf {

namespace {

constexpr char kFrameRateMessage[] = "Frames per second must be a valid number greater than zero.";
constexpr char kRepeatRangeMessage[] = "This must be a valid number greater than one or equal to one.";
constexpr char kRepeatNumberMessage[] = "This must be a valid number greater than or equal to one.";
constexpr char kSecondsMessage[] = "The repeat each frame value needs to be one or greater.";

int ClampFrameSize(int size) { return std::clamp(size, kMinFrameSize, kMaxFrameSize); }

}  // namespace

TimingFields::TimingFields()
    : m_frames_per_second(FormatGeneral(kDefaultFramesPerSecond)),
      m_repeat(FormatGeneral(1.0)),
      m_seconds(FormatGeneral(1.0 / kDefaultFramesPerSecond)),
      m_seconds_hint(m_seconds),
      m_width(720),
      m_height(480),
      m_media_type(kDefaultMediaType) {}

// --- change handlers -------------------------------------------------------

void TimingFields::FrameRateOrSizeChanged(TimingEffects& fx) {
  if (!m_media_guard) m_media_type = 0;
  RepeatChanged(fx);
  fx.set_modified = true;
}

void TimingFields::RepeatChanged(TimingEffects& fx) {
  // A text that is not a number, or a frame rate of 0, ends the handler here and
  // leaves the guard set.
  m_repeat_guard = true;
  const std::optional<double> repeat = ParseDouble(m_repeat);
  if (!repeat) return;
  if (*repeat != 0.0) {
    if (!m_seconds_guard) {
      const std::optional<double> frames_per_second = ParseDouble(m_frames_per_second);
      if (!frames_per_second || *frames_per_second == 0.0) return;
      WriteSeconds(FormatGeneral(*repeat / *frames_per_second), fx);
    }
    m_seconds_hint = m_seconds;
  }
  m_repeat_guard = false;
  fx.refresh_readouts = true;
  fx.set_modified = true;
}

void TimingFields::SecondsChanged(TimingEffects& fx) {
  m_seconds_guard = true;
  const std::optional<double> seconds = ParseDouble(m_seconds);
  if (!seconds) return;
  if (*seconds != 0.0) {
    if (!m_repeat_guard) {
      const std::optional<double> frames_per_second = ParseDouble(m_frames_per_second);
      if (!frames_per_second) return;
      // The repeat handler runs, refreshes the readouts and, seeing this guard,
      // leaves the seconds as typed.
      WriteRepeat(FormatGeneral(*frames_per_second * *seconds), fx);
    }
    m_seconds_hint = m_seconds;
  }
  m_seconds_guard = false;
}

// --- writes ---------------------------------------------------------------

void TimingFields::WriteFramesPerSecond(std::string text, TimingEffects& fx) {
  if (text == m_frames_per_second) return;
  m_frames_per_second = std::move(text);
  FrameRateOrSizeChanged(fx);
}

void TimingFields::WriteWidth(int width, TimingEffects& fx) {
  width = ClampFrameSize(width);
  if (width == m_width) return;
  m_width = width;
  FrameRateOrSizeChanged(fx);
}

void TimingFields::WriteHeight(int height, TimingEffects& fx) {
  height = ClampFrameSize(height);
  if (height == m_height) return;
  m_height = height;
  FrameRateOrSizeChanged(fx);
}

void TimingFields::WriteRepeat(std::string text, TimingEffects& fx) {
  if (text == m_repeat) return;
  m_repeat = std::move(text);
  RepeatChanged(fx);
}

void TimingFields::WriteSeconds(std::string text, TimingEffects& fx) {
  if (text == m_seconds) return;
  m_seconds = std::move(text);
  SecondsChanged(fx);
}

// --- the user's changes ---------------------------------------------------

TimingEffects TimingFields::FramesPerSecondTextChanged(std::string text) {
  TimingEffects fx;
  m_frames_per_second = std::move(text);
  FrameRateOrSizeChanged(fx);
  return fx;
}

TimingEffects TimingFields::WidthChanged(int width) {
  TimingEffects fx;
  m_width = ClampFrameSize(width);
  FrameRateOrSizeChanged(fx);
  return fx;
}

TimingEffects TimingFields::HeightChanged(int height) {
  TimingEffects fx;
  m_height = ClampFrameSize(height);
  FrameRateOrSizeChanged(fx);
  return fx;
}

TimingEffects TimingFields::RepeatTextChanged(std::string text) {
  TimingEffects fx;
  m_repeat = std::move(text);
  RepeatChanged(fx);
  return fx;
}

TimingEffects TimingFields::SecondsTextChanged(std::string text) {
  TimingEffects fx;
  m_seconds = std::move(text);
  SecondsChanged(fx);
  return fx;
}

TimingEffects TimingFields::MediaTypeChosen(int index) {
  TimingEffects fx;
  const auto presets = MediaTypePresets();
  if (index < 0 || index >= static_cast<int>(presets.size())) return fx;
  m_media_type = index;
  if (index == 0) return fx;
  const MediaTypePreset& preset = presets[static_cast<std::size_t>(index)];
  m_media_guard = true;
  WriteFramesPerSecond(FormatGeneral(preset.frames_per_second), fx);
  WriteWidth(preset.width, fx);
  WriteHeight(preset.height, fx);
  m_media_guard = false;
  return fx;
}

// --- validation when focus leaves ----------------------------------------

TimingEffects TimingFields::FramesPerSecondLeft() {
  TimingEffects fx;
  const std::optional<double> frames_per_second = ParseDouble(m_frames_per_second);
  if (frames_per_second && *frames_per_second > 0.0) return fx;
  fx.error = kFrameRateMessage;
  WriteFramesPerSecond(FormatGeneral(kDefaultFramesPerSecond), fx);
  fx.focus = TimingEdit::kFramesPerSecond;
  return fx;
}

TimingEffects TimingFields::RepeatLeft() {
  TimingEffects fx;
  const std::optional<double> repeat = ParseDouble(m_repeat);
  if (repeat && *repeat >= 1.0) return fx;
  fx.error = repeat ? kRepeatRangeMessage : kRepeatNumberMessage;
  WriteRepeat("1", fx);
  fx.focus = TimingEdit::kRepeatValue;
  return fx;
}

TimingEffects TimingFields::SecondsLeft() {
  TimingEffects fx;
  const std::optional<double> seconds = ParseDouble(m_seconds);
  const std::optional<double> repeat = ParseDouble(m_repeat);
  if (seconds && *seconds > 0.0 && repeat && *repeat >= 1.0) return fx;
  fx.error = kSecondsMessage;
  WriteRepeat("1", fx);
  fx.focus = TimingEdit::kRepeatSeconds;
  return fx;
}

TimingEffects TimingFields::LoadProjectValues(int media_type, std::string frames_per_second, int width, int height,
                                              std::string repeat, std::string seconds) {
  TimingEffects fx;
  m_media_guard = true;
  m_media_type = media_type;
  WriteFramesPerSecond(std::move(frames_per_second), fx);
  WriteWidth(width, fx);
  WriteHeight(height, fx);
  WriteRepeat(std::move(repeat), fx);
  WriteSeconds(std::move(seconds), fx);
  m_media_guard = false;
  return fx;
}

}  // namespace sf
