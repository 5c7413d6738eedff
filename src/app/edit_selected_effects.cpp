#include "app/edit_selected_effects.h"

#include <exception>

#include "app/decorative_pictures.h"
#include "app/effects_form.h"
#include "app/image_list_grid.h"
#include "effects/effect_list_text.h"
#include "list/image_list.h"
#include "loader/load_image.h"

namespace sf::app {

namespace {

constexpr char kOverwriteQuestion[] =
    "Effect(s) will be applied to all selected images in the \nimage list. All previous effects will be "
    "overwritten.\n\nContinue?";

}  // namespace

bool EditSelectedEffects(TEffectsForm& editor, ImageList& list, const ImageListGrid& grid, Reporter& reporter,
                         const LoadOptions& options) {
  if (list.IsEmpty()) return false;
  try {
    editor.HideEffectImage();
    Bitmap picture;
    LoadImage(picture, list.Path(grid.CurrentRow()), reporter, options);
    editor.SetSourceImage(std::move(picture));
    const bool several = grid.SelectedRowCount() > 1;
    if (!several) editor.SetAppliedEntries(ParseEffectList(list.Effects(grid.SelectionTop())).entries);
    editor.SetBackImage(DecorativeBackground());
    if (editor.exec() != QDialog::Accepted) return false;
    if (several && !reporter.Confirm(kOverwriteQuestion)) return false;
    const std::string text = FormatEffectList(editor.AppliedEntries());
    for (int row = grid.SelectionTop(); row <= grid.SelectionBottom(); ++row) list.SetCell(row, kEffectsColumn, text);
    return true;
  } catch (const std::exception& failure) {
    reporter.Error(failure.what());
    reporter.Error("Error adding/modifying effects.\n - AddEffectBtn1Click()");
    return false;
  }
}

}  // namespace sf::app
