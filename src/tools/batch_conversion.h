// The batch converter's run: every row of its list loaded, given its effects
// before or after an optional resize, brought to the output depth and saved as
// BMP, JPEG or GIF in the output folder, with the per-file failures skipped and
// counted and a few conditions that stop the whole run. Pictures are converted
// side by side on worker threads; names, collisions, messages, progress and the
// noise generator's sequence are those of a one-at-a-time run.
//   ConversionSettings settings;  settings.output_folder = "/out/";  settings.format_index = 2;
//   const ConversionResult result = ConvertImages(list, settings, {reporter, progress, desktop});
#pragma once

#include <functional>
#include <string>

#include "common/desktop.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "tools/conversion_names.h"
#include "tools/conversion_picture.h"

namespace sf {

class ImageList;

struct ConversionSettings {
  std::string output_folder = "/output/";   // ends with "/"
  int format_index = 0;                      // 0 same as input (or .bmp), 1 .bmp, 2 .jpg, 3 .gif
  IfFileExists if_exists = IfFileExists::kAddPrefix;
  std::string name_text = "New_";
  // What each picture goes through; resize is set when the output size is not "Same as Input".
  PictureRecipe picture;
  bool skip_errors = false;                  // do not show the per-file messages
  bool open_folder = false;                  // open the output folder when finished
  // Pictures converted at once; 1 converts each on the calling thread.
  int threads = 2;
};

struct ConversionServices {
  Reporter& reporter;
  ProgressObserver& progress;
  Desktop& desktop;
  // Makes a row the window's current row; may be empty.
  std::function<void(int row)> show_row = {};
};

struct ConversionResult {
  enum class Outcome { kFinished, kEmptyList, kNoFolder, kAborted, kStopped, kFailed };
  Outcome outcome = Outcome::kFinished;
  int rows = 0;        // rows after validation
  int written = 0;
  int skipped = 0;
};

// Validates the list (rows of missing files go), creates the output folder and
// converts every row. The finishing steps (title "100% - Slideforge", opening
// the folder) run after the last row and after an unexpected failure, never
// after a stop. The caller leaves its busy state afterwards.
ConversionResult ConvertImages(ImageList& list, const ConversionSettings& settings,
                               const ConversionServices& services);

}  // namespace sf
