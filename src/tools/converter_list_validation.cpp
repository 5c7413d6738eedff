#include "tools/converter_list_validation.h"

#include <algorithm>
#include <string>

#include "common/file_util.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "list/image_list.h"

namespace sf {

namespace {

constexpr int kValidationProgressRows = 55;

void ShowProgress(int row, int rows, ProgressObserver& progress) {
  const int percent = rows > 1 ? static_cast<int>(static_cast<double>(row) / (rows - 1) * 100) : 100;
  progress.Progress(std::to_string(percent) + "% - complete. Validating image " + std::to_string(row + 1) + " of " +
                        std::to_string(rows),
                    percent);
}

}  // namespace

ConverterValidation ValidateConverterList(ImageList& list, int current_row, bool converting, Reporter& reporter,
                                          ProgressObserver& progress) {
  ConverterValidation done;
  int row = 0;
  while (row < list.RowCount()) {
    if (row % kValidationProgressRows == 0 || row == list.LastRow()) ShowProgress(row, list.RowCount(), progress);
    const std::string& path = list.Path(row);
    if (!path.empty() && !FileExists(path)) {
      list.DeleteSelection(row, row, row);
      ++done.removed;
      // The next row has moved up into this index; an emptied list leaves one
      // empty row, which the next pass steps over.
      continue;
    }
    ++row;
  }
  done.row_to_select = std::clamp(current_row, 0, list.LastRow());
  if (!converting || done.removed > 0) {
    reporter.Message(std::to_string(done.removed) + " image(s) deleted from list.\n\nFile list verification complete.");
  }
  return done;
}

}  // namespace sf
