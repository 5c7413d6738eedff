// Convert Images and Stop: the busy state around the core's conversion run,
// and the output folder chooser.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

#include "app/clickable_label.h"
#include "app/convert_images_form.h"
#include "app/image_list_grid.h"
#include "app/quality_slider.h"
#include "app/open_dir_form.h"
#include "common/progress_observer.h"
#include "common/reporter.h"

namespace sf::app {

// The run's progress goes to the progress panel and the application title;
// pending events run at its checkpoints, so Stop can be pressed.
class TConvertImagesForm::RunProgress final : public ProgressObserver {
 public:
  explicit RunProgress(TConvertImagesForm& form) : m_form(form) {}
  void Progress(const std::string& text, int percent) override {
    m_form.SetProgress(QString::fromStdString(text), percent);
  }
  void ProgressText(const std::string& text) override {
    m_form.SetPanelText(kProgressPanel, QString::fromStdString(text));
  }
  void Title(const std::string& text) override { QGuiApplication::setApplicationDisplayName(QString::fromStdString(text)); }
  void ProcessEvents() override { QCoreApplication::processEvents(); }
  bool StopRequested() override { return m_form.m_stop_requested; }

 private:
  TConvertImagesForm& m_form;
};

bool TConvertImagesForm::Converting() const { return m_running; }

void TConvertImagesForm::ConvertBtnClick() {
  if (Converting() || m_list.IsEmpty()) return;
  m_running = true;
  EnterBusyState();
  RunProgress progress(*this);
  const auto show_row = [this](int row) {
    // Validation at the start of the run may have removed rows.
    if (m_grid->verticalHeader()->count() != m_list.RowCount()) m_grid->Reload();
    m_grid->SelectRow(row);
  };
  const ConversionServices services{m_reporter, progress, m_desktop, show_row};
  const ConversionResult result = ConvertImages(m_list, ReadSettings(), services);
  m_running = false;
  m_grid->Reload();
  if (result.outcome == ConversionResult::Outcome::kEmptyList) EnableListCommands(false);
  // Stop has left the busy state already.
  if (m_busy) LeaveBusyState();
  RefreshTotals();
}

void TConvertImagesForm::StopBtnClick() {
  if (!m_busy) return;
  if (!m_reporter.Confirm("Stop converting images?")) return;
  m_stop_requested = true;
  LeaveBusyState();
}

void TConvertImagesForm::EnterBusyState() {
  m_busy = true;
  m_stop_requested = false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  m_convert_btn->hide();
  m_convert_btn->setDefault(false);
  m_stop_btn->show();
  m_stop_btn->setDefault(true);
  m_stop_btn->setFocus();
  for (QWidget* control : m_option_controls) control->setEnabled(false);
  for (QWidget* control : std::initializer_list<QWidget*>{m_grid, m_image, m_delete_btn, m_select_all_btn,
                                                          m_view_image_btn, m_image_location_btn})
    control->setEnabled(false);
  for (QMenu* menu : {m_file_menu, m_list_menu, m_effects_menu}) menu->menuAction()->setEnabled(false);
  RefreshTotals();
}

void TConvertImagesForm::LeaveBusyState() {
  m_busy = false;
  QApplication::restoreOverrideCursor();
  m_stop_btn->hide();
  m_stop_btn->setDefault(false);
  m_convert_btn->show();
  m_convert_btn->setDefault(true);
  m_convert_btn->setFocus();
  const bool has_pictures = !m_list.IsEmpty();
  for (QWidget* control : std::initializer_list<QWidget*>{m_grid, m_delete_btn, m_select_all_btn, m_view_image_btn,
                                                          m_image_location_btn, m_edit_effects_btn,
                                                          m_clear_effects_btn, m_clear_all_effects_btn})
    control->setEnabled(has_pictures);
  for (QWidget* control : std::initializer_list<QWidget*>{m_image, m_add_btn, m_output_path_btn, m_close_btn,
                                                          m_format_box, m_if_exists_box, m_output_size_box,
                                                          m_open_folder_box, m_skip_errors_box, m_upright_box,
                                                          m_upright_label})
    control->setEnabled(true);
  for (QMenu* menu : {m_file_menu, m_list_menu, m_effects_menu}) menu->menuAction()->setEnabled(true);
  m_name_edit->setEnabled(m_if_exists_box->currentIndex() <= 1);
  OutputSizeCBoxChange();
  const int format = m_format_box->currentIndex();
  for (QWidget* control : std::initializer_list<QWidget*>{m_jpeg_quality_edit, m_jpeg_label, m_jpeg_slider})
    control->setEnabled(format == 0 || format == 2);
  // The depth stays fixed for .jpg and .gif, as choosing the format left it.
  m_pixel_format_box->setEnabled(format == 0 || format == 1);
  SetProgress(PanelText(kProgressPanel), 0);
}

void TConvertImagesForm::OutputPathBtnClick() {
  TOpenDirForm chooser(m_documents_folder, this);
  if (!m_output_chooser_used) chooser.MoveToDocuments();
  m_output_chooser_used = true;
  if (chooser.exec() != QDialog::Accepted) return;
  std::string folder = chooser.Path();
  if (!folder.ends_with('/')) folder += '/';
  m_output_edit->setText(QString::fromStdString(folder));
}

}  // namespace sf::app
