// The settings controls of the main window: each handler forwards the change to
// the timing model or the settings routines and shows what they return.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>

#include "app/clickable_label.h"
#include "app/file_dialogs.h"
#include "app/gif_settings_form.h"
#include "app/help_notes.h"
#include "app/hint_form.h"
#include "app/main_window.h"
#include "common/number_format.h"
#include "compile/timing.h"
#include "loader/load_image.h"

namespace sf::app {

namespace {

constexpr char kOutputFilter[] =
    "Standard AVI (2GB Limit) (*.avi)|*.avi|Animated GIF (8 bit) (*.gif)|*.gif|MP4 video (H.264) (*.mp4)|*.mp4|"
    "WebM video (VP9) (*.webm)|*.webm";
constexpr char kPictureFilter[] =
    "All Files (*.bmp;*.jpg;*.gif,*.ico, *.wmf,*.emf)|*.bmp;*.jpg;*.jpeg;*.gif;*.ico;*.wmf;*.emf|Bitmaps "
    "(*.bmp)|*.bmp|JPEG Files (*.jpg;*.jpeg)|*.jpg;*.jpeg|GIF (*.gif)|*.gif|Icon (*.ico)|*.ico|Windows Meta Files "
    "(*.wmf,*.emf)|*.wmf;*.emf";
constexpr char kAudioFilter[] = "PCM WAV files (*.wav)|*.wav";
constexpr char kBackgroundsFolder[] = "Backgrounds";

// Writes a text only when it differs, so that the cursor stays where it was.
void SetEditText(QLineEdit* edit, const std::string& text) {
  const QString value = QString::fromStdString(text);
  if (edit->text() == value) return;
  edit->setText(value);
  // A long number shows its beginning unless it is being typed.
  if (!edit->hasFocus()) edit->setCursorPosition(0);
}

std::string Text(const QLineEdit* edit) { return edit->text().toStdString(); }

}  // namespace

void TAVICompileForm::ConnectSettings() {
  const MainControls& ui = m_ui;
  connect(ui.FramesPerSecondEdit, &QLineEdit::textEdited, this, &TAVICompileForm::FramesPerSecondEditChange);
  connect(ui.WidthEdit, &QSpinBox::valueChanged, this, &TAVICompileForm::SizeChange);
  connect(ui.HeightEdit, &QSpinBox::valueChanged, this, &TAVICompileForm::SizeChange);
  connect(ui.RepeatValueEdit, &QLineEdit::textEdited, this, &TAVICompileForm::RepeatValueEditChange);
  connect(ui.RepeatSecondsEdit, &QLineEdit::textEdited, this, &TAVICompileForm::RepeatSecondsEditChange);
  connect(ui.MediaTypeCBox, &QComboBox::activated, this, &TAVICompileForm::MediaTypeCBoxChange);
  for (QLineEdit* edit : {ui.FramesPerSecondEdit, ui.RepeatValueEdit, ui.RepeatSecondsEdit}) edit->installEventFilter(this);

  connect(ui.PixelFormCBox, &QComboBox::activated, this, &TAVICompileForm::SettingChanged);
  connect(ui.ResizeCBox, &QComboBox::activated, this, &TAVICompileForm::SettingChanged);
  connect(ui.AspectChkBox, &QCheckBox::clicked, this, &TAVICompileForm::SettingChanged);
  connect(ui.ZoomInChkBox, &QCheckBox::clicked, this, &TAVICompileForm::SettingChanged);
  connect(ui.AutoOrientCheck, &QCheckBox::clicked, this, &TAVICompileForm::SettingChanged);
  connect(ui.BorderSizeWidthEdit, &QSpinBox::valueChanged, this, &TAVICompileForm::BorderSizeEditChange);
  connect(ui.BorderSizeHeightEdit, &QSpinBox::valueChanged, this, &TAVICompileForm::BorderSizeEditChange);
  connect(ui.SortDepthChkBox, &QCheckBox::toggled, ui.SortDepthEdit, &QWidget::setEnabled);
  connect(ui.ShowTransitionsChkBox, &QCheckBox::toggled, ui.TransitionTimeEdit, &QWidget::setEnabled);
  connect(ui.ShowTransitionsChkBox, &QCheckBox::clicked, this, &TAVICompileForm::SettingChanged);
  connect(ui.TransitionTimeEdit, &QDoubleSpinBox::valueChanged, this, &TAVICompileForm::SettingChanged);

  connect(ui.IncludeAudioChkBox, &QCheckBox::clicked, this, &TAVICompileForm::IncludeAudioChkBoxClick);
  connect(ui.OpenAudioPathBtn, &QPushButton::clicked, this, &TAVICompileForm::OpenAudioPathBtnClick);
  connect(ui.OutputPathBtn, &QPushButton::clicked, this, &TAVICompileForm::OutputPathBtnClick);
  connect(ui.OpenBackPicBtn, &QPushButton::clicked, this, &TAVICompileForm::OpenBackPicBtnClick);
  connect(ui.GIFSettingsBtn, &QPushButton::clicked, this, &TAVICompileForm::GIFSettingsBtnClick);
  connect(ui.GIFHelpLbl, &ClickableLabel::clicked, this, &TAVICompileForm::GIFHelpLblClick);
  connect(ui.ResizeHelpLbl, &ClickableLabel::clicked, this, &TAVICompileForm::ResizeHelpLblClick);
  connect(ui.CompileBtn, &QPushButton::clicked, this, &TAVICompileForm::CompileBtnClick);
  connect(ui.StopBtn, &QPushButton::clicked, this, &TAVICompileForm::StopBtnClick);
}

// --- timing fields -------------------------------------------------------------

void TAVICompileForm::ShowTiming(const TimingEffects& effects) {
  {
    const MainControls& ui = m_ui;
    const QSignalBlocker fps(ui.FramesPerSecondEdit), width(ui.WidthEdit), height(ui.HeightEdit),
        media(ui.MediaTypeCBox), repeat(ui.RepeatValueEdit), seconds(ui.RepeatSecondsEdit);
    SetEditText(ui.FramesPerSecondEdit, m_timing.FramesPerSecondText());
    SetEditText(ui.RepeatValueEdit, m_timing.RepeatText());
    SetEditText(ui.RepeatSecondsEdit, m_timing.SecondsText());
    ui.WidthEdit->setValue(m_timing.Width());
    ui.HeightEdit->setValue(m_timing.Height());
    ui.MediaTypeCBox->setCurrentIndex(m_timing.MediaType());
    ui.RepeatSecondsEdit->setToolTip(QString::fromStdString(m_timing.SecondsHint()));
  }
  if (!effects.error.empty()) GetReporter().Error(effects.error);
  if (effects.refresh_readouts) RefreshReadouts();
  if (effects.set_modified) SetModified();
  switch (effects.focus) {
    case TimingEdit::kFramesPerSecond: m_ui.FramesPerSecondEdit->setFocus(); break;
    case TimingEdit::kRepeatValue: m_ui.RepeatValueEdit->setFocus(); break;
    case TimingEdit::kRepeatSeconds: m_ui.RepeatSecondsEdit->setFocus(); break;
    case TimingEdit::kNone: break;
  }
}

void TAVICompileForm::FramesPerSecondEditChange() {
  ShowTiming(m_timing.FramesPerSecondTextChanged(Text(m_ui.FramesPerSecondEdit)));
}

void TAVICompileForm::SizeChange() {
  TimingEffects effects;
  if (m_ui.WidthEdit->value() != m_timing.Width()) effects = m_timing.WidthChanged(m_ui.WidthEdit->value());
  if (m_ui.HeightEdit->value() != m_timing.Height()) effects = m_timing.HeightChanged(m_ui.HeightEdit->value());
  ShowTiming(effects);
}

void TAVICompileForm::RepeatValueEditChange() { ShowTiming(m_timing.RepeatTextChanged(Text(m_ui.RepeatValueEdit))); }

void TAVICompileForm::RepeatSecondsEditChange() {
  ShowTiming(m_timing.SecondsTextChanged(Text(m_ui.RepeatSecondsEdit)));
}

void TAVICompileForm::MediaTypeCBoxChange(int index) { ShowTiming(m_timing.MediaTypeChosen(index)); }

void TAVICompileForm::TimingEditExit(TimingEdit edit) {
  switch (edit) {
    case TimingEdit::kFramesPerSecond: ShowTiming(m_timing.FramesPerSecondLeft()); break;
    case TimingEdit::kRepeatValue: ShowTiming(m_timing.RepeatLeft()); break;
    case TimingEdit::kRepeatSeconds: ShowTiming(m_timing.SecondsLeft()); break;
    case TimingEdit::kNone: break;
  }
}

void TAVICompileForm::RefreshReadouts() {
  const std::string repeat = Text(m_ui.RepeatValueEdit);
  const std::string frames_per_second = Text(m_ui.FramesPerSecondEdit);
  SetPanelText(kTotalFramesPanel, QString::fromStdString(GetTotalFrames(m_list, Compiling(), repeat, frames_per_second,
                                                                        GetReporter())));
  SetPanelText(kVideoLengthPanel, QString::fromStdString(GetVideoLength(m_list, Compiling(), repeat,
                                                                        frames_per_second, GetReporter())));
}

// --- fitting and sound ----------------------------------------------------------------

void TAVICompileForm::RefreshPreview() {
  if (m_ui.DeleteBtn->isEnabled()) emit previewRefreshRequested();
}

void TAVICompileForm::SettingChanged() {
  RefreshPreview();
  SetModified();
}

void TAVICompileForm::BorderSizeEditChange(int value) {
  if (value != 0) RefreshPreview();
  SetModified();
}

void TAVICompileForm::IncludeAudioChkBoxClick() {
  m_ui.OpenAudioPathBtn->setEnabled(m_ui.IncludeAudioChkBox->isChecked());
  SetModified();
}

void TAVICompileForm::OpenAudioPathBtnClick() {
  FileDialogRequest request;
  request.folder = m_documents_folder;
  if (m_ui.AudioPathEdit->text() != QLatin1String(kNoAudioPath)) request.file_name = Text(m_ui.AudioPathEdit);
  request.filter = kAudioFilter;
  request.default_extensions = {".wav"};
  request.confirm_overwrite = false;
  if (const auto answer = Dialogs().Open(request)) m_ui.AudioPathEdit->setText(QString::fromStdString(answer->path));
}

// --- output file and background picture --------------------------------------------------

void TAVICompileForm::OutputPathBtnClick() {
  FileDialogRequest request;
  request.folder = m_documents_folder;
  request.file_name = Text(m_ui.OutputEdit).empty() ? "output" : Text(m_ui.OutputEdit);
  request.filter = kOutputFilter;
  request.filter_index = m_output_filter_index;
  request.default_extensions = {".avi", ".gif", ".mp4", ".webm"};
  const auto answer = Dialogs().Save(request);
  if (!answer) return;
  m_output_filter_index = answer->filter_index;
  const int type = answer->filter_index >= 1 && answer->filter_index <= 4 ? answer->filter_index : 1;
  const OutputChoice choice = sf::ChooseOutputFile(answer->path, static_cast<OutputFileType>(type));
  m_ui.OutputEdit->setText(QString::fromStdString(choice.path));
  // The videos carry the sound track as the AVI does.
  if (choice.kind) ShowOutputKind(*choice.kind != OutputFileType::kGif);
}

void TAVICompileForm::ShowOutputKind(bool avi) {
  m_ui.GIFSettingsBtn->setEnabled(!avi);
  if (avi) {
    m_gif_settings->hide();
    m_ui.IncludeAudioChkBox->setEnabled(true);
    return;
  }
  // Unticking the box runs its handler, as a click would.
  if (m_ui.IncludeAudioChkBox->isChecked()) {
    m_ui.IncludeAudioChkBox->setChecked(false);
    IncludeAudioChkBoxClick();
  }
  m_ui.IncludeAudioChkBox->setEnabled(false);
}

void TAVICompileForm::OpenBackPicBtnClick() {
  FileDialogRequest request;
  request.folder = m_program_folder + kBackgroundsFolder;
  request.file_name = m_settings.background_path;
  request.filter = kPictureFilter;
  request.confirm_overwrite = false;
  if (const auto answer = Dialogs().Open(request)) LoadBackgroundPicture(answer->path);
}

void TAVICompileForm::LoadBackgroundPicture(const std::string& path) {
  // A picture that fails to load is reported and the held one stays, rather
  // than leaving an empty background behind.
  const PictureLoader load = [](const std::string& file) { return ReadPicture(file, nullptr); };
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const bool applied = [&] {
    const struct RestoreCursor {
      ~RestoreCursor() { QApplication::restoreOverrideCursor(); }
    } restore;
    return ApplyBackgroundPicture(path, m_settings, load, GetReporter(), m_progress);
  }();
  if (applied && !m_list.IsEmpty()) {
    RefreshPreview();
    SetModified();
  }
}

// --- GIF settings and notes ------------------------------------------------------------

void TAVICompileForm::GIFSettingsBtnClick() {
  m_gif_settings->show();
  m_gif_settings->raise();
}

void TAVICompileForm::GIFHelpLblClick() { m_hint_form->ShowNote(kGifNotes); }

void TAVICompileForm::ResizeHelpLblClick() { m_hint_form->ShowNote(kResizeNotes); }

// --- the controls as a record ----------------------------------------------------------

std::optional<CompileSettings> TAVICompileForm::ReadSettings() {
  const MainControls& ui = m_ui;
  const std::optional<double> frames_per_second = ParseDouble(Text(ui.FramesPerSecondEdit));
  const std::optional<double> repeat = ParseDouble(Text(ui.RepeatValueEdit));
  const std::optional<double> seconds = ParseDouble(Text(ui.RepeatSecondsEdit));
  if (!frames_per_second || !repeat || !seconds) return std::nullopt;
  CompileSettings settings = m_settings;
  settings.frames_per_second = *frames_per_second;
  settings.frame_width = ui.WidthEdit->value();
  settings.frame_height = ui.HeightEdit->value();
  settings.repeat_value = *repeat;
  settings.repeat_seconds = *seconds;
  settings.media_type = ui.MediaTypeCBox->currentIndex();
  settings.maintain_aspect = ui.AspectChkBox->isChecked();
  settings.zoom_in = ui.ZoomInChkBox->isChecked();
  settings.upright = ui.AutoOrientCheck->isChecked();
  settings.border_size_width = ui.BorderSizeWidthEdit->value();
  settings.border_size_height = ui.BorderSizeHeightEdit->value();
  settings.pixel_format = PixelFormatForIndex(ui.PixelFormCBox->currentIndex());
  settings.resize_method = static_cast<ResizeMethod>(ui.ResizeCBox->currentIndex());
  settings.include_audio = ui.IncludeAudioChkBox->isChecked();
  settings.audio_path = Text(ui.AudioPathEdit);
  settings.output_path = Text(ui.OutputEdit);
  settings.open_file_when_finished = ui.OpenFileChkBox->isChecked();
  settings.gif_loops = m_gif_settings->Loops();
  settings.gif_transparency = m_gif_settings->Transparency();
  settings.gif_disposal = m_gif_settings->Disposal();
  settings.gif_optimise = m_gif_settings->Optimise();
  settings.show_transitions = ui.ShowTransitionsChkBox->isChecked();
  settings.transition_seconds = ui.TransitionTimeEdit->value();
  return settings;
}

void TAVICompileForm::LoadTimingValues(int media_type, std::string frames_per_second, int width, int height,
                                       std::string repeat, std::string seconds) {
  ShowTiming(m_timing.LoadProjectValues(media_type, std::move(frames_per_second), width, height, std::move(repeat),
                                        std::move(seconds)));
}

}  // namespace sf::app
