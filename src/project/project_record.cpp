#include "project/project_record.h"

#include <optional>

#include "common/number_format.h"

namespace sf {

CompileSettings SettingsFromRecord(const ProjectRecord& record) {
  CompileSettings settings;
  settings.frames_per_second = ParseDouble(record.frames_per_second).value_or(settings.frames_per_second);
  settings.frame_width = record.frame_width;
  settings.frame_height = record.frame_height;
  settings.repeat_value = ParseDouble(record.repeat_value).value_or(settings.repeat_value);
  settings.repeat_seconds = ParseDouble(record.repeat_seconds).value_or(settings.repeat_seconds);
  settings.media_type = record.media_type;
  settings.maintain_aspect = record.maintain_aspect;
  settings.zoom_in = record.zoom_in;
  settings.border_size_width = record.border_width;
  settings.border_size_height = record.border_height;
  settings.pixel_format = PixelFormatForIndex(record.pixel_format);
  settings.resize_method = record.resize_method == 1 ? ResizeMethod::kSmooth : ResizeMethod::kStandard;
  settings.background_path = record.background_path;
  settings.include_audio = record.include_audio;
  settings.audio_path = record.audio_path;
  settings.output_path = record.output_path;
  settings.open_file_when_finished = record.open_file_when_finished;
  settings.video_encoding = record.video_encoding;
  settings.upright = record.upright;
  settings.show_transitions = record.show_transitions;
  settings.transition_seconds = record.transition_seconds;
  if (record.has_groups) {
    settings.gif_loops = record.gif_loops;
    settings.gif_transparency = record.gif_transparency;
    settings.gif_disposal = record.gif_disposal;
    settings.gif_optimise = record.gif_optimise;
  }
  return settings;
}

}  // namespace sf
