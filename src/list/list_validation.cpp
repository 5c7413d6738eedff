#include "list/list_validation.h"

#include <algorithm>
#include <optional>
#include <stdexcept>

#include "common/desktop.h"
#include "common/file_util.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "list/image_list.h"

namespace sf {

namespace {

struct Block {
  int first;
  int last;
};

std::string ShowProgress(ProgressObserver& progress, int row, int rows) {
  const int percent = rows - 1 > 0 ? static_cast<int>(static_cast<long long>(row) * 100 / (rows - 1)) : 100;
  std::string text = std::to_string(percent) + "% - complete. Validating image " + std::to_string(row + 1) + " of " +
                     std::to_string(rows);
  progress.Progress(text, percent);
  progress.ProcessEvents();
  return text;
}

void WriteDeletedLog(const std::string& program_folder, int missing, const std::string& missing_list,
                     Reporter& reporter, Desktop& desktop) {
  const std::string path = program_folder + kDeletedLogName;
  const std::string text = "Total image file paths not found: " + std::to_string(missing) +
                           "\r\n\r\nList of image files deleted from project:\r\n\r\n" + missing_list;
  try {
    WriteWholeFile(path, text);
  } catch (const std::runtime_error&) {
    reporter.Error(
        "Unable to write log file for list of deleted\nfile paths. Please make sure the disk is not write protected.");
    return;
  }
  desktop.Open(path);
}

// Removes a block of missing rows, never past the end of a list that changed
// while events were processed.
void DeleteBlock(ImageList& list, const Block& block) {
  const int last = std::min(block.last, list.LastRow());
  if (block.first <= last) list.DeleteRows(block.first, last);
}

}  // namespace

ValidationResult ValidateList(ImageList& list, const ValidationContext& context, Reporter& reporter,
                              ProgressObserver& progress, Desktop& desktop) {
  ValidationResult result;
  std::string missing_list;
  std::string last_progress;
  std::optional<Block> pending;
  int rows = list.RowCount();
  for (int i = 0; i < rows; ++i) {
    if (i % 55 == 0 || i == rows - 1) {
      last_progress = ShowProgress(progress, i, rows);
      rows = std::min(rows, list.RowCount());
      if (i >= rows) break;
    }
    const std::string path = list.Path(i);
    if (path.empty()) continue;
    if (FileExists(path)) {
      if (pending) {
        // The scan goes on with the row after the one that moved up into the block.
        DeleteBlock(list, *pending);
        i = pending->first;
        pending.reset();
        rows = list.RowCount();
      }
      continue;
    }
    missing_list += path + "\r\n";
    if (!pending) pending = Block{i, i};
    pending->last = i;
    ++result.removed;
  }
  if (pending) DeleteBlock(list, *pending);

  result.row_to_select = context.current_row < list.RowCount() ? context.current_row : list.LastRow();

  const std::string& audio = context.audio_path;
  if (!audio.empty() && !FileExists(audio)) {
    reporter.Message("Audio file not found:\n" + audio + "\nAudio file will be removed from project.");
    result.audio_removed = true;
  }

  const std::string count = std::to_string(result.removed);
  if (!context.compiling || result.removed > 0) {
    if (result.removed > 0) {
      WriteDeletedLog(context.program_folder, result.removed, missing_list, reporter, desktop);
      result.set_modified = true;
    }
    progress.ProcessEvents();
    reporter.Message(count + " image(s) deleted from list.\n\nFile list verification complete.");
  }
  progress.Message(count + " image(s) deleted from list. Validation completed.", true);
  progress.Progress(last_progress, 0);
  return result;
}

}  // namespace sf
