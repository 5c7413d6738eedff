// Everything a project file holds, as plain values: the list cells with the
// column widths, and the settings of lines 4 to 6. The window copies its controls
// into a record before saving and copies a record read back into its controls; a
// compile without a window takes its settings from a record.
//   ProjectRecord record;
//   record.list.AddPath("/pics/beach1.jpg");
//   SaveProject(record, state, reporter, progress);
//   CompileSettings settings = SettingsFromRecord(*OpenProjectFile(path, reporter, progress));
#pragma once

#include <iterator>
#include <string>
#include <vector>

#include "compile/compile_settings.h"
#include "list/image_list.h"

namespace sf {

struct ProjectRecord {
  // Lines 2 and 3 and the rows: the list carries the column and row counts.
  ImageList list;
  std::vector<int> column_widths{std::begin(kDefaultColumnWidths), std::end(kDefaultColumnWidths)};

  // Line 4: fitting and output options.
  bool maintain_aspect = true;
  bool zoom_in = true;
  int border_width = 0;                 // percent, 0 to 99
  int border_height = 0;
  int pixel_format = 1;                 // index into PixelFormatItems()
  // False when a file holds a filler word where the output and GIF groups
  // stand: the output is then AVI, open-when-finished off, standard resize, and
  // the GIF settings keep the values they had.
  bool has_groups = true;
  bool avi_output = true;
  bool open_file_when_finished = false;
  int resize_method = 0;                // index into ResizeItems()
  int gif_loops = 0;                    // 0 loops for ever
  int gif_transparency = 0;             // index into GifTransparencyItems()
  int gif_disposal = 0;                 // index into GifDisposalItems()
  bool gif_optimise = false;            // the optimised GIF; a word in place of line 4's second filler
  // The MP4 and WebM encoding, in the first filler word as "<18:fast>" when it
  // is not the start one, so that older projects read and write as before.
  VideoEncoding video_encoding;
  // Photos turned upright by their EXIF orientation: the word "upright" in
  // place of line 4's third filler. A file without it (every older one) reads
  // as off, so it saves again byte for byte.
  bool upright = false;

  // Line 5: timing and frame size. The three timing fields are the edits' texts.
  // Include Audio is written on lines 5 and 6; reading ticks it when either says so.
  bool include_audio = false;
  int media_type = 5;                   // index into MediaTypePresets()
  std::string frames_per_second = "29.97";
  int frame_width = 720;
  int frame_height = 480;
  std::string repeat_value = "1";
  std::string repeat_seconds = "0.0333667000333667";
  // Transitions shown in the video, in the first filler word as
  // "<transitions:SECONDS>" when on, so that older projects read and write as before.
  bool show_transitions = false;
  double transition_seconds = kDefaultTransitionSeconds;

  // Line 6: the three paths.
  std::string audio_path = "(none)";
  std::string output_path;
  std::string background_path;          // empty when no background picture was chosen
};

// The compile settings a record holds. The background picture stays the black
// start picture (loading the one named by background_path is the caller's); a
// timing text that is not a number gives the start value.
CompileSettings SettingsFromRecord(const ProjectRecord& record);

}  // namespace sf
