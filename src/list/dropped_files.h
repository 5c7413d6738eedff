// Pictures entering the list: files dropped on the main window (pictures are
// added, a project or sound track dropped first is taken as such, anything else
// is listed in "temp.log") and the files chosen in the folder browser.
//   DropResult drop = DropFiles(paths, context, list, reporter, progress, desktop);
//   if (drop.action == DropAction::kOpenProject) ...open drop.path without a dialog
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace sf {

class Desktop;
class ImageList;
class ProgressObserver;
class Reporter;

inline constexpr char kIgnoredLogName[] = "temp.log";

// Whether a lower-cased extension (".jpg") names a picture that dropping accepts.
bool IsPictureExtension(std::string_view lower_extension);

struct DropContext {
  std::string program_folder;         // with its trailing "/"
  bool open_project_enabled = true;   // false while a compile runs: the drop is refused
  bool include_audio_enabled = true;  // the output is an AVI
};

enum class DropAction {
  kScanned,      // the paths were scanned: pictures added, the rest ignored
  kOpenProject,  // the first path is a project: open it without a dialog
  kSoundTrack,   // the first path is a WAV: tick Include Audio and take it as the audio path
  kRefused,      // a compile runs: nothing happened
};

struct DropResult {
  DropAction action = DropAction::kScanned;
  std::string path;     // the project or sound track
  int added = 0;
  int ignored = 0;
  // When pictures were added: row 0 if the list was empty, else the last row. The
  // window then refreshes the panels and readouts, runs row selection, enables
  // the list commands and reports the pictures added to the project state.
  int row_to_select = 0;
};

// The drop command for paths in the order the desktop delivered them.
DropResult DropFiles(std::span<const std::string> paths, const DropContext& context, ImageList& list,
                     Reporter& reporter, ProgressObserver& progress, Desktop& desktop);

struct AddResult {
  int added = 0;
  int row_to_select = 0;  // row 0 if the list was empty, else the last row
};

// The add command after the folder browser's OK: folder joined with each selected
// file name, in displayed order. No names adds nothing and says nothing.
AddResult AddImageFiles(ImageList& list, std::string_view folder, std::span<const std::string> names,
                        Reporter& reporter, ProgressObserver& progress);

}  // namespace sf
