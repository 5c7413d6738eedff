// The main window: the image list, the compile settings, the menus and the two
// status bars, with the messages, hints and progress every command reports
// through. Commands of other windows reach the list, the controls, the menu
// actions and the status bars through the accessors below.
//   TAVICompileForm window;  window.show();
//   window.ShowMessage("Background picture loaded.");
#pragma once

#include <QMainWindow>
#include <memory>
#include <string>

#include "app/main_controls.h"
#include "app/main_menu.h"
#include "app/status_bar.h"
#include "app/window_services.h"
#include "common/progress_observer.h"
#include "compile/compile_engine.h"
#include "compile/compile_settings.h"
#include "compile/timing_fields.h"
#include "list/image_list.h"
#include "project/project_state.h"
#include "project/reopen_history.h"

namespace sf::app {

class THintForm;
class TGIFSettingsForm;
class TConvertImagesForm;
class TGIFtoBMPForm;
class TBitrateForm;
class TBMPExtractForm;
class MainWindowListHost;
class MainWindowEffects;
class TAVICompileForm;

// The main window's status bars as a progress observer: the progress panel,
// the message panel, the application title, pending events and the Stop button.
class WindowProgress final : public ProgressObserver {
 public:
  explicit WindowProgress(TAVICompileForm& form) : m_form(form) {}
  void Progress(const std::string& text, int percent) override;
  void ProgressText(const std::string& text) override;
  void Message(const std::string& text, bool remember) override;
  void Title(const std::string& text) override;
  void ProcessEvents() override;
  bool StopRequested() override;

 private:
  TAVICompileForm& m_form;
};

class TAVICompileForm final : public QMainWindow, private CompileHost {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 742;
  static constexpr int kClientHeight = 534;

  enum UpperPanel { kProgressPanel = 0, kSelectedImagePanel = 1, kTotalImagesPanel = 2, kTotalFramesPanel = 3 };
  enum LowerPanel { kMessagePanel = 0, kVideoLengthPanel = 1 };

  explicit TAVICompileForm(const WindowServices& services = {}, QWidget* parent = nullptr);
  ~TAVICompileForm() override;

  // --- reached by the other windows and commands ---------------------------
  ImageList& List() { return m_list; }
  const MainControls& Ui() const { return m_ui; }
  const MainMenu& Menu() const { return m_menu; }
  QWidget* ClientArea() const { return m_client; }
  THintForm& HintForm() { return *m_hint_form; }
  TGIFSettingsForm& GifSettingsForm() { return *m_gif_settings; }
  TConvertImagesForm& ConvertImagesForm() { return *m_convert_form; }
  TGIFtoBMPForm& GifExtractForm() { return *m_gif_extract; }
  TBitrateForm& BitrateForm() { return *m_bitrate_form; }
  TBMPExtractForm& BMPExtractForm() { return *m_bmp_extract_form; }
  // The list and File menu commands, connected to the controls.
  MainWindowListHost& ListCommandsHost() { return *m_list_host; }
  // The effect and transition commands with their windows.
  MainWindowEffects& EffectCommands() { return *m_effects; }
  Reporter& GetReporter() { return *m_services.reporter; }
  FileDialogs& Dialogs() { return *m_services.dialogs; }
  Desktop& GetDesktop() { return *m_services.desktop; }
  ProgressObserver& Progress() { return m_progress; }
  ProjectState& Project() { return m_project; }
  ReopenHistory& History() { return m_history; }
  const std::string& ProgramFolder() const { return m_program_folder; }
  const std::string& DocumentsFolder() const { return m_documents_folder; }
  StatusBarObject& UpperStatusBar() { return m_upper_bar; }
  StatusBarObject& LowerStatusBar() { return m_lower_bar; }

  // The modified flag (the project state holds it) and the window caption.
  void SetModified() { m_project.SetModified(); }
  void RefreshCaption();
  // While set, selecting a row loads no preview (bulk list changes).
  bool ListBusy() const { return m_list_busy; }
  void SetListBusy(bool busy) { m_list_busy = busy; }
  bool Compiling() const;
  bool ExitRequested() const { return m_exit_requested; }

  // --- status bars -----------------------------------------------------------
  QString PanelText(UpperPanel panel) const;
  QString PanelText(LowerPanel panel) const;
  void SetPanelText(UpperPanel panel, const QString& text);
  void SetPanelText(LowerPanel panel, const QString& text);
  // The progress panel's text and its fill as a whole percentage.
  void SetProgress(const QString& text, int percent);
  int ProgressFillWidth() const;
  // The message panel; the text also becomes the remembered message.
  void ShowMessage(const QString& text);
  // A control's hint stands in the message panel until the mouse reaches the
  // bare window.
  void ShowHint(const QString& text);
  void RestoreMessage();
  const QString& RememberedMessage() const { return m_remembered_message; }
  // "Total Frames: N" and "Video Length: ..." from the timing edits.
  void RefreshReadouts();

  // --- settings --------------------------------------------------------------
  // The controls as a plain record, with the background picture held so far.
  // nullopt when a timing edit does not hold a number.
  std::optional<CompileSettings> ReadSettings();
  const CompileSettings& HeldSettings() const { return m_settings; }
  // The MP4 and WebM encoding a project brought; a compile's choice replaces it.
  void SetVideoEncoding(const VideoEncoding& encoding) { m_settings.video_encoding = encoding; }
  // The timing values of an opened project, written under the media-type
  // guard so that the media type read stays.
  void LoadTimingValues(int media_type, std::string frames_per_second, int width, int height, std::string repeat,
                        std::string seconds);
  // Loads the background picture without showing its dialog.
  void LoadBackgroundPicture(const std::string& path);
  // The output kind shown by the Include Audio box and the GIF settings button.
  void ShowOutputKind(bool avi);
  // Row selection: refreshes the preview when the list is not empty.
  void RefreshPreview();

  // --- commands ----------------------------------------------------------------
  void CompileBtnClick();
  void StopBtnClick();
  void OutputPathBtnClick();
  void OpenBackPicBtnClick();
  void OpenAudioPathBtnClick();
  void ExitBtnClick();
  void HelpBtnClick();
  void AboutBtnClick();
  void ImageConverterBtnClick();
  // Hides this window and shows the bitrate calculator, whose Close shows it again.
  void BitrateCalcBtnClick();
  // Hides this window and shows the AVI frame extractor, whose Close shows it again.
  void ExtractBitmapsClick();
  void EnterBusyState() override;
  void LeaveBusyState() override;

 signals:
  // Row selection must run (the preview and the applied effects follow the
  // settings that changed).
  void previewRefreshRequested();
  // A compile's validation removed rows or the sound track; row is the row to select.
  void listValidated(int row);
  // A compile has ended, whatever its outcome.
  void compileFinished(sf::CompileOutcome outcome);
  // Exit asked to save the project first: Save Project, or Save Project As
  // when Save Project is not enabled. Runs before the exit goes on.
  void saveProjectRequested(bool save_as);

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Enter that no control takes clicks the default button (Compile, or Stop
  // while compiling).
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class Client;

  // main_window.cpp
  void SetUpStatusBars();
  void RelayoutStatusBars();
  void PaintClient(QPainter& painter);
  void ClientMouseMove(const QPoint& position);
  void RegisterHints();
  QString HintFor(QWidget* control) const;
  void ConnectMenus();
  void ImageList1Click();
  void ExtractBitmapsfromGIFAnimation1Click();
  void Effects1Click();
  void Transitions1Click();
  void FinishExit();

  // main_window_settings.cpp
  void ConnectSettings();
  void ShowTiming(const TimingEffects& effects);
  void FramesPerSecondEditChange();
  void SizeChange();
  void RepeatValueEditChange();
  void RepeatSecondsEditChange();
  void MediaTypeCBoxChange(int index);
  void TimingEditExit(TimingEdit edit);
  void SettingChanged();
  void BorderSizeEditChange(int value);
  void IncludeAudioChkBoxClick();
  void GIFSettingsBtnClick();
  void GIFHelpLblClick();
  void ResizeHelpLblClick();

  // main_window_compile.cpp
  void SelectRow(int row) override;
  void ListValidated(const ValidationResult& result) override;
  void ChooseOutputFile() override;
  void SetBusyControls(bool busy);

  std::unique_ptr<Reporter> m_own_reporter;
  std::unique_ptr<FileDialogs> m_own_dialogs;
  std::unique_ptr<Desktop> m_own_desktop;
  std::unique_ptr<CompressorChooser> m_own_chooser;
  std::unique_ptr<EncodingChooser> m_own_encoding_chooser;
  WindowServices m_services;

  ImageList m_list;
  CompileSettings m_settings;
  TimingFields m_timing;
  ProjectState m_project;
  ReopenHistory m_history;
  std::string m_program_folder;
  std::string m_documents_folder;

  QWidget* m_client = nullptr;  // the Client
  MainControls m_ui;
  MainMenu m_menu;
  StatusBarObject m_upper_bar;
  StatusBarObject m_lower_bar;
  WindowProgress m_progress{*this};
  std::unique_ptr<THintForm> m_hint_form;
  std::unique_ptr<TGIFSettingsForm> m_gif_settings;
  std::unique_ptr<TConvertImagesForm> m_convert_form;
  std::unique_ptr<TGIFtoBMPForm> m_gif_extract;
  std::unique_ptr<TBitrateForm> m_bitrate_form;
  std::unique_ptr<TBMPExtractForm> m_bmp_extract_form;
  MainWindowListHost* m_list_host = nullptr;  // a child object
  MainWindowEffects* m_effects = nullptr;     // a child object

  QString m_remembered_message;
  bool m_hint_showing = false;
  bool m_list_busy = false;
  bool m_stop_requested = false;
  bool m_exit_requested = false;
  bool m_exiting = false;
  bool m_busy_cursor = false;
  int m_output_filter_index = 1;

  friend class WindowProgress;
};

}  // namespace sf::app
