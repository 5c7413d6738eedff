// Validating the image list against the disk: rows whose picture file has gone
// are removed in blocks and listed in "deleted.log" in the program folder, and a
// sound track that has gone is reported so the window can drop it.
//   ValidationContext context{program_folder, audio_path, compiling, current_row};
//   const ValidationResult result = ValidateList(list, context, reporter, progress, desktop);
#pragma once

#include <string>

namespace sf {

class Desktop;
class ImageList;
class ProgressObserver;
class Reporter;

inline constexpr char kDeletedLogName[] = "deleted.log";

struct ValidationContext {
  std::string program_folder;  // with its trailing "/"
  std::string audio_path;      // the sound track to check, empty when none is chosen
  bool compiling = false;      // a compile runs the validation; silent when nothing was removed
  int current_row = 0;         // the row selected before the validation
};

struct ValidationResult {
  int removed = 0;
  int row_to_select = 0;       // the remembered row, or the last row when the list got shorter
  // The sound track has gone: set the audio path to "(none)" and untick Include Audio.
  bool audio_removed = false;
  bool set_modified = false;   // rows were removed
};

// Runs the whole validation: progress every 55 rows, the log (opened with the
// desktop's default handler), the sound-track check and the closing messages. The
// window then refreshes the readouts and, when the list is not empty, runs row
// selection on row_to_select.
ValidationResult ValidateList(ImageList& list, const ValidationContext& context, Reporter& reporter,
                              ProgressObserver& progress, Desktop& desktop);

}  // namespace sf
