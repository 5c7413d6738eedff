// The converter's own picture list: hand-over from the main list, adding,
// deleting, selecting, validating, the effect cells and the preview.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

#include "app/bitmap_image.h"
#include "app/clickable_label.h"
#include "app/convert_images_form.h"
#include "app/edit_selected_effects.h"
#include "app/hint_form.h"
#include "app/image_list_grid.h"
#include "app/open_folder_form.h"
#include "app/view_image_form.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "effects/effect_list_text.h"
#include "image/fitting.h"
#include "loader/load_image.h"
#include "tools/converter_list_validation.h"

namespace sf::app {

namespace {

// The preview's pixel format for each pixel-format item; "Same as Input" keeps
// the picture's own.
PixelFormat PreviewFormat(int depth_index, const Bitmap& picture) {
  switch (depth_index) {
    case kDepth4Bits: return PixelFormat::kBits4;
    case kDepth8Bits: return PixelFormat::kBits8;
    case kDepth24Bits: return PixelFormat::kBits24;
    default: return picture.Format();
  }
}

}  // namespace

void TConvertImagesForm::TakeMainList(const ImageList& main_list, bool main_has_pictures) {
  if (!main_has_pictures) return;
  if (!m_reporter.Confirm(
          "Would you like to load the file names from the image list, with\ntheir effect attributes, into the batch "
          "tool?")) {
    return;
  }
  m_list = main_list;
  m_grid->Reload();
  EnableListCommands(true);
  m_grid->SelectRow(0);
  StringGridClick();
}

// The list commands do nothing while a run reads the list: their menu
// shortcuts stay live even with the menus disabled.
void TConvertImagesForm::AddBtnClick() {
  if (Converting()) return;
  TOpenFolderForm browser(m_documents_folder, [this](const std::string& note) { m_hint_form.ShowNote(note); }, this);
  browser.SetUpright(m_upright_box->isChecked());
  if (browser.exec() != QDialog::Accepted) return;
  AddFiles(browser.Folder(), browser.SelectedNames());
}

void TConvertImagesForm::AddFiles(const std::string& folder, const std::vector<std::string>& names) {
  if (names.empty()) return;
  const bool was_empty = m_list.IsEmpty();
  const int total = static_cast<int>(names.size());
  SetProgress(QStringLiteral("Images Loaded/Percent: 0 / 0%"), 0);
  for (int k = 1; k <= total; ++k) {
    m_list.AddPath(folder + (folder.ends_with('/') ? "" : "/") + names[static_cast<std::size_t>(k - 1)]);
    if ((k - 1) % 40 == 0 || k == total) {
      const int percent = static_cast<int>(static_cast<double>(k) / total * 100);
      SetProgress(QStringLiteral("Images Loaded/Percent: %1 / %2%").arg(k - 1).arg(percent), percent);
      QCoreApplication::processEvents();
    }
  }
  m_grid->Reload();
  SetProgress(QStringLiteral("Images Loaded/Percent: %1 / 100%").arg(total), 100);
  m_reporter.Message(std::to_string(total) +
                     (total == 1 ? " image file added to the list." : " image files added to the list."));
  SetProgress(PanelText(kProgressPanel), 0);
  if (was_empty) m_grid->SelectRow(0);
  EnableListCommands(true);
  StringGridClick();
}

void TConvertImagesForm::EnableListCommands(bool enabled) {
  m_grid->setEnabled(enabled);
  m_delete_btn->setEnabled(enabled);
  m_select_all_btn->setEnabled(enabled);
  m_view_image_btn->setEnabled(enabled);
  m_image_location_btn->setEnabled(enabled);
  m_convert_btn->setEnabled(enabled);
  m_edit_effects_btn->setEnabled(enabled);
  m_clear_effects_btn->setEnabled(enabled);
  m_clear_all_effects_btn->setEnabled(enabled);
}

void TConvertImagesForm::EnableMenuItems() {
  const bool enabled = m_delete_btn->isEnabled();
  for (QMenu* menu : {m_list_menu, m_effects_menu}) {
    for (QAction* action : menu->actions()) {
      if (action->objectName() != QStringLiteral("AddImageFiles1")) action->setEnabled(enabled);
    }
  }
}

void TConvertImagesForm::RefreshTotals() {
  const bool counted = !m_list.IsEmpty() || Converting();
  SetPanelText(kTotalImagesPanel, counted ? QStringLiteral("Total Images: %1").arg(m_list.RowCount())
                                          : QStringLiteral("Total Images: ?"));
}

void TConvertImagesForm::StringGridClick() {
  if (m_list.IsEmpty()) return;
  const int row = m_grid->CurrentRow();
  SetPanelText(kSelectedImagePanel, QStringLiteral("Selected Image: %1").arg(row + 1));
  ShowPreview();
  std::vector<std::string> cells;
  for (int k = m_grid->SelectionTop(); k <= m_grid->SelectionBottom(); ++k) cells.push_back(m_list.Effects(k));
  m_applied_effects->clear();
  try {
    for (const std::string& line : AppliedEffectsSummary(cells)) m_applied_effects->addItem(QString::fromStdString(line));
  } catch (const std::exception& failure) {
    m_applied_effects->addItem(QStringLiteral("Applied Effects: ?"));
  }
  m_delete_btn->setEnabled(!Converting());
  RefreshTotals();
}

bool TConvertImagesForm::ShowPreview() {
  Bitmap picture;
  const std::string& path = m_list.Path(m_grid->CurrentRow());
  LoadImage(picture, path, m_reporter, {.upright = m_upright_box->isChecked()});
  if (picture.Empty()) {
    m_image->clear();
    return false;
  }
  m_shown = {path, picture.Width(), picture.Height(), PixelFormatCode(picture)};
  Bitmap background(5, 5);
  background.Fill(Rgb{255, 255, 255});
  const PixelFormat format = PreviewFormat(m_pixel_format_box->currentIndex(), picture);
  SilentReporter fit_failure;
  if (GetAspectedImage(picture, background, ResizeMethod::kStandard, false, true, format, 0, 0,
                       m_image->height(), m_image->width(), fit_failure) != 0) {
    m_reporter.Error("Error adjusting image to fit.\nConvertForm->GetAspectedImage()");
    return true;
  }
  m_image->setPixmap(QPixmap::fromImage(ToQImage(picture)));
  return true;
}

// The picture's own size becomes the output size, which makes it "Custom".
void TConvertImagesForm::StringGridDblClick() {
  if (m_list.IsEmpty() || Converting() || !ShowPreview()) return;
  m_width_edit->setValue(m_shown.width);
  m_height_edit->setValue(m_shown.height);
  m_output_size_box->setCurrentIndex(1);
  m_width_edit->setEnabled(true);
  m_height_edit->setEnabled(true);
}

void TConvertImagesForm::ViewImageBtnClick() {
  if (m_list.IsEmpty() || Converting()) return;
  const std::string path = m_list.Path(m_grid->CurrentRow());
  Bitmap picture;
  LoadImage(picture, path, m_reporter, {.upright = m_upright_box->isChecked()});
  if (picture.Empty()) return;
  m_viewer->ShowPicture(ToQImage(picture), path);
  m_viewer->exec();
}

void TConvertImagesForm::ImageLocationBtnClick() {
  if (m_list.IsEmpty()) return;
  m_reporter.Message(PictureInfoText(m_shown, LastLoadedKindName()));
}

void TConvertImagesForm::DeleteBtnClick() {
  if (m_list.IsEmpty() || Converting()) return;
  const int current =
      m_list.DeleteSelection(m_grid->SelectionTop(), m_grid->SelectionBottom(), m_grid->CurrentRow());
  m_grid->Reload();
  if (m_list.IsEmpty()) {
    EnableListCommands(false);
    m_image->clear();
  } else {
    m_grid->SelectRow(current);
  }
  RefreshTotals();
  SetPanelText(kSelectedImagePanel, QStringLiteral("Selected Image: %1").arg(m_grid->CurrentRow() + 1));
}

void TConvertImagesForm::SelectAllBtnClick() {
  if (m_list.IsEmpty() || Converting()) return;
  m_grid->SelectAllRows();
  m_applied_effects->clear();
  m_applied_effects->addItem(QStringLiteral("Applied Effects: ?"));
  RefreshTotals();
}

void TConvertImagesForm::ClearList1Click() {
  if (m_list.IsEmpty() || Converting() || !m_reporter.Confirm("Clear entire list of pictures?")) return;
  SelectAllBtnClick();
  DeleteBtnClick();
}

void TConvertImagesForm::ValidateListBtn1Click() {
  if (m_list.IsEmpty() || Converting()) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  class PanelProgress final : public ProgressObserver {
   public:
    explicit PanelProgress(TConvertImagesForm& form) : m_form(form) {}
    void Progress(const std::string& text, int percent) override {
      m_form.SetProgress(QString::fromStdString(text), percent);
    }

   private:
    TConvertImagesForm& m_form;
  } progress(*this);
  const ConverterValidation done =
      ValidateConverterList(m_list, m_grid->CurrentRow(), false, m_reporter, progress);
  QApplication::restoreOverrideCursor();
  m_grid->Reload();
  SetProgress(PanelText(kProgressPanel), 0);
  if (m_list.IsEmpty()) {
    EnableListCommands(false);
    m_image->clear();
  } else {
    m_grid->SelectRow(done.row_to_select);
    StringGridClick();
  }
  RefreshTotals();
}

void TConvertImagesForm::EditEffectsBtnClick() {
  if (Converting()) return;
  if (!EditSelectedEffects(*m_effects_form, m_list, *m_grid, m_reporter, {.upright = m_upright_box->isChecked()})) {
    return;
  }
  m_grid->Reload();
  StringGridClick();
}

void TConvertImagesForm::ClearEffectsBtnClick() {
  if (m_list.IsEmpty() || Converting()) return;
  for (int k = m_grid->SelectionTop(); k <= m_grid->SelectionBottom(); ++k) m_list.SetCell(k, kEffectsColumn, "");
  m_grid->Reload();
  StringGridClick();
}

void TConvertImagesForm::ClearAllEffectsBtnClick() {
  if (m_list.IsEmpty() || Converting()) return;
  for (int k = 0; k < m_list.RowCount(); ++k) m_list.SetCell(k, kEffectsColumn, "");
  m_grid->Reload();
  StringGridClick();
}

}  // namespace sf::app
