// The batch converter's Validate List: rows whose picture file has gone are
// deleted one by one, with progress every 55 rows and a closing count. Unlike
// the main list's validation it writes no log.
//   const ConverterValidation done = ValidateConverterList(list, current_row, false, reporter, progress);
#pragma once

namespace sf {

class ImageList;
class ProgressObserver;
class Reporter;

struct ConverterValidation {
  int removed = 0;
  int row_to_select = 0;   // the row current before, or the last row when the list got shorter
};

// A conversion run (converting) says nothing when no row went.
ConverterValidation ValidateConverterList(ImageList& list, int current_row, bool converting, Reporter& reporter,
                                          ProgressObserver& progress);

}  // namespace sf
