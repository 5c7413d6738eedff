// The Compile and Stop commands, the busy state they share, and the status bars
// as the compile's progress observer.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>

#include "app/image_list_grid.h"
#include "app/main_window.h"
#include "common/number_format.h"
#include "list/list_validation.h"

namespace sf::app {

namespace {

constexpr char kStopQuestion[] = "Stop rendering?";

}  // namespace

// --- the status bars as a progress observer -------------------------------------

void WindowProgress::Progress(const std::string& text, int percent) {
  m_form.SetProgress(QString::fromStdString(text), percent);
}

void WindowProgress::ProgressText(const std::string& text) {
  m_form.SetPanelText(TAVICompileForm::kProgressPanel, QString::fromStdString(text));
}

void WindowProgress::Message(const std::string& text, bool remember) {
  if (remember)
    m_form.ShowMessage(QString::fromStdString(text));
  else
    m_form.SetPanelText(TAVICompileForm::kMessagePanel, QString::fromStdString(text));
}

// The application title stands beside every window title on the taskbar.
void WindowProgress::Title(const std::string& text) {
  QGuiApplication::setApplicationDisplayName(QString::fromStdString(text));
}

void WindowProgress::ProcessEvents() { QCoreApplication::processEvents(); }

bool WindowProgress::StopRequested() { return m_form.m_stop_requested; }

// --- Compile and Stop -----------------------------------------------------------------

void TAVICompileForm::CompileBtnClick() {
  if (Compiling()) return;
  std::optional<CompileSettings> settings = ReadSettings();
  if (!settings) {
    // A timing edit holds no number: its own validation says so and puts it right.
    TimingEditExit(!ParseDouble(m_ui.FramesPerSecondEdit->text().toStdString()) ? TimingEdit::kFramesPerSecond
                   : !ParseDouble(m_ui.RepeatValueEdit->text().toStdString()) ? TimingEdit::kRepeatValue
                                                                              : TimingEdit::kRepeatSeconds);
    return;
  }
  m_settings = std::move(*settings);
  const CompileJob job{m_list, m_settings, m_program_folder, m_ui.StringGrid->CurrentRow(), m_project.ProjectPath()};
  const CompileServices services{GetReporter(), m_progress, GetDesktop(), *this, m_services.chooser,
                                 m_services.encoding_chooser};
  const CompileResult result = CompileImages(job, services);
  emit compileFinished(result.outcome);
}

void TAVICompileForm::StopBtnClick() {
  if (!Compiling()) return;
  if (!GetReporter().Confirm(kStopQuestion)) return;
  m_stop_requested = true;
  LeaveBusyState();
}

// --- busy state ------------------------------------------------------------------------

void TAVICompileForm::EnterBusyState() {
  if (!m_busy_cursor) QApplication::setOverrideCursor(Qt::BusyCursor);
  m_busy_cursor = true;
  SetBusyControls(true);
  m_ui.CompileBtn->hide();
  m_ui.StopBtn->show();
  m_ui.StopBtn->setDefault(true);
  m_ui.StopBtn->setFocus();
  m_stop_requested = false;
}

void TAVICompileForm::LeaveBusyState() {
  if (m_busy_cursor) QApplication::restoreOverrideCursor();
  m_busy_cursor = false;
  SetBusyControls(false);
  m_ui.StopBtn->hide();
  m_ui.CompileBtn->show();
  m_ui.CompileBtn->setDefault(true);
  m_ui.CompileBtn->setFocus();
  m_upper_bar.panels[kProgressPanel].fill_width = 0;
  m_client->update();
}

void TAVICompileForm::SetBusyControls(bool busy) {
  const MainControls& ui = m_ui;
  const bool idle = !busy;
  for (QAction* item : {m_menu.OpenProjectBtn, m_menu.ImageList1->menuAction(), m_menu.Effects1->menuAction(),
                        m_menu.Tools1->menuAction(), m_menu.Help1->menuAction()})
    item->setEnabled(idle);
  // A disabled menu does not stop its items' shortcut keys, so the items go too;
  // coming back they follow the list buttons again.
  for (QMenu* menu : {m_menu.ImageList1, m_menu.Effects1, m_menu.Transitions1, m_menu.Tools1, m_menu.Help1})
    for (QAction* item : menu->actions()) item->setEnabled(idle);
  m_menu.ReopenBtn->setEnabled(idle && m_history.MenuEnabled());
  // The list controls come back only for a list that still holds pictures: a
  // validation during the compile may have emptied it.
  const bool has_pictures = !m_list.IsEmpty();
  for (QWidget* control : std::initializer_list<QWidget*>{ui.StringGrid, ui.DeleteBtn, ui.SortBtn, ui.EditEffectsBtn})
    control->setEnabled(idle && has_pictures);
  for (QWidget* control : std::initializer_list<QWidget*>{
           ui.AddBtn, ui.SortBackChkBox, ui.SortDepthChkBox, ui.OutputPathBtn, ui.OpenBackPicBtn, ui.AspectChkBox,
           ui.ZoomInChkBox, ui.AutoOrientCheck, ui.FramesPerSecondEdit, ui.WidthEdit, ui.HeightEdit,
           ui.RepeatValueEdit, ui.RepeatSecondsEdit, ui.MediaTypeCBox, ui.PixelFormCBox, ui.ResizeCBox,
           ui.BorderSizeWidthEdit, ui.BorderSizeHeightEdit, ui.ShowTransitionsChkBox})
    control->setEnabled(idle);
  ui.TransitionTimeEdit->setEnabled(idle && ui.ShowTransitionsChkBox->isChecked());
  ui.SortDepthEdit->setEnabled(idle && ui.SortDepthChkBox->isChecked());
  ui.IncludeAudioChkBox->setEnabled(idle && OutputHasSound(ui.OutputEdit->text().toStdString()));
  ui.OpenAudioPathBtn->setEnabled(idle && ui.IncludeAudioChkBox->isChecked());
  if (idle) {
    ImageList1Click();
    Effects1Click();
    Transitions1Click();
  }
}

// --- what the compile asks of the window ------------------------------------------------

void TAVICompileForm::SelectRow(int row) { m_ui.StringGrid->SelectRow(row); }

void TAVICompileForm::ListValidated(const ValidationResult& result) {
  if (result.audio_removed) {
    m_ui.AudioPathEdit->setText(QString::fromLatin1(kNoAudioPath));
    if (m_ui.IncludeAudioChkBox->isChecked()) {
      m_ui.IncludeAudioChkBox->setChecked(false);
      IncludeAudioChkBoxClick();
    }
  }
  if (result.set_modified) SetModified();
  m_ui.StringGrid->Reload();
  RefreshReadouts();
  emit listValidated(result.row_to_select);
}

void TAVICompileForm::ChooseOutputFile() { OutputPathBtnClick(); }

}  // namespace sf::app
