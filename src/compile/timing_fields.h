// The timing controls as a state model: frame rate, frame size, media type,
// repeat value (frames per picture, the master value) and repeat seconds, kept
// consistent the way their change handlers do it, with the update guards and the
// media-type guard inside. A window forwards each edit and focus change, copies
// the texts back into its controls with their change signals blocked, and acts on
// the returned effects.
//   TimingEffects fx = timing.SecondsTextChanged("2");   // RepeatText() is now "59.94"
#pragma once

#include <string>

namespace sf {

enum class TimingEdit { kNone, kFramesPerSecond, kRepeatValue, kRepeatSeconds };

struct TimingEffects {
  bool refresh_readouts = false;   // run GetTotalFrames and GetVideoLength again
  bool set_modified = false;       // set the project's modified flag
  std::string error;               // an error box to show first, when not empty
  TimingEdit focus = TimingEdit::kNone;  // the edit that takes the focus back
};

class TimingFields {
 public:
  // The start values: 29.97 frames per second, 720 x 480, "DVD NTSC 720 x 480",
  // one frame per picture.
  TimingFields();

  const std::string& FramesPerSecondText() const { return m_frames_per_second; }
  const std::string& RepeatText() const { return m_repeat; }
  const std::string& SecondsText() const { return m_seconds; }
  // The pop-up tip of the seconds edit: the last seconds text that was not 0.
  const std::string& SecondsHint() const { return m_seconds_hint; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  int MediaType() const { return m_media_type; }
  // The update guards; a handler that fails on the way leaves its guard set until
  // it next runs to its end.
  bool RepeatGuard() const { return m_repeat_guard; }
  bool SecondsGuard() const { return m_seconds_guard; }

  // The user changed a control.
  TimingEffects FramesPerSecondTextChanged(std::string text);
  TimingEffects WidthChanged(int width);
  TimingEffects HeightChanged(int height);
  TimingEffects RepeatTextChanged(std::string text);
  TimingEffects SecondsTextChanged(std::string text);
  // A media-type item chosen: 1 to 8 apply their preset, 0 changes nothing.
  TimingEffects MediaTypeChosen(int index);

  // Focus leaves an edit: a value out of range is reported and replaced.
  TimingEffects FramesPerSecondLeft();
  TimingEffects RepeatLeft();
  TimingEffects SecondsLeft();

  // The values of a project being opened, written in file order under the
  // media-type guard so that the media type read stays.
  TimingEffects LoadProjectValues(int media_type, std::string frames_per_second, int width, int height,
                                  std::string repeat, std::string seconds);

 private:
  // The change handlers of the controls.
  void FrameRateOrSizeChanged(TimingEffects& fx);
  void RepeatChanged(TimingEffects& fx);
  void SecondsChanged(TimingEffects& fx);
  // Writes that change a control's value run its change handler.
  void WriteFramesPerSecond(std::string text, TimingEffects& fx);
  void WriteWidth(int width, TimingEffects& fx);
  void WriteHeight(int height, TimingEffects& fx);
  void WriteRepeat(std::string text, TimingEffects& fx);
  void WriteSeconds(std::string text, TimingEffects& fx);

  std::string m_frames_per_second;
  std::string m_repeat;
  std::string m_seconds;
  std::string m_seconds_hint;
  int m_width;
  int m_height;
  int m_media_type;
  bool m_repeat_guard = false;
  bool m_seconds_guard = false;
  bool m_media_guard = false;
};

}  // namespace sf
