// The effects editor opened for a grid's selection, as the main window's
// Add/Modify Effects and the converter's Edit Effects both open it: the current
// row's picture to edit, the single selected row's entries in the applied list,
// and the confirmed list written into every selected row's effect cell (after
// the overwrite question when several rows are selected).
//   if (EditSelectedEffects(editor, list, grid, reporter, {.upright = true})) RowsChanged();
#pragma once

#include "loader/load_image.h"

namespace sf {
class ImageList;
class Reporter;
}  // namespace sf

namespace sf::app {

class ImageListGrid;
class TEffectsForm;

// Returns true when the effect cells were written. A failure is shown, then
// "Error adding/modifying effects.\n - AddEffectBtn1Click()". The picture is
// loaded with the window's options.
bool EditSelectedEffects(TEffectsForm& editor, ImageList& list, const ImageListGrid& grid, Reporter& reporter,
                         const LoadOptions& options);

}  // namespace sf::app
