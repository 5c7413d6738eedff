// The AVI frame extractor tool window: loads an AVI file, shows its frame
// size and count, steps through its frames in a stretched preview with a view
// field and a track bar, saves the frame on view, and writes a range of frames,
// forward or reversed, as numbered 24-bit BMP files with progress and Stop.
//   TBMPExtractForm extractor(reporter, dialogs, desktop, documents_folder);
//   connect(&extractor, &TBMPExtractForm::closed, main_window, &QWidget::show);
#pragma once

#include <optional>
#include <string>

#include "app/tool_window.h"
#include "avi/avi_reader.h"
#include "common/desktop.h"
#include "common/progress_observer.h"
#include "common/reporter.h"
#include "image/bitmap.h"
#include "tools/avi_frame_source.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace sf::app {

class ClickableLabel;
class FileDialogs;
class FrameTrackBar;

class TBMPExtractForm final : public ToolWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 572;
  static constexpr int kClientHeight = 433;
  static constexpr int kPreviewWidth = 320;
  static constexpr int kPreviewHeight = 240;
  static constexpr int kProgressWidth = 305;

  TBMPExtractForm(Reporter& reporter, FileDialogs& dialogs, Desktop& desktop, std::string documents_folder,
                  QWidget* parent = nullptr);

  // The frame on view, at the video's frame size: what Save Current Frame writes.
  const Bitmap& PreviewPicture() const { return m_preview; }
  bool Extracting() const;

  void LoadAVIBtnClick();
  void ExtractBtnClick();
  void StopBtnClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool KeepOpen() const override;

 private:
  // The progress label and bar of a running extraction; the Stop button's mark.
  class ExtractionProgress final : public ProgressObserver {
   public:
    explicit ExtractionProgress(TBMPExtractForm& form) : m_form(form) {}
    void Progress(const std::string& text, int percent) override;
    void ProcessEvents() override;
    bool StopRequested() override { return m_form.m_stop_requested; }

   private:
    TBMPExtractForm& m_form;
  };

  void BuildControls();
  void BuildRangeControls();
  void BuildProgressControls();
  void ConnectHandlers();

  void ResetState();
  void BusyState();
  void IdleState();
  void PlaceTrackBar();

  void OutputNameBtnClick();
  void SaveFrameBtnClick();
  void ViewFrameCEditChange();
  void ShowFrame(int index);
  void ShowProgress(const QString& text, int percent);
  void SetProgressVisible(bool visible);

  Reporter& m_reporter;
  FileDialogs& m_dialogs;
  Desktop& m_desktop;
  std::string m_documents_folder;
  AviReader m_reader;
  std::optional<AviFrameSource> m_source;  // the loaded video
  Bitmap m_preview;
  double m_frame_count = -1;  // no video loaded yet
  bool m_stop_requested = false;
  bool m_extracting = false;  // ExtractFrames is on the stack, even after Stop
  ExtractionProgress m_progress{*this};

  QPushButton* m_load_avi_btn = nullptr;
  QLineEdit* m_avi_file_edit = nullptr;
  QPushButton* m_output_name_btn = nullptr;
  QLineEdit* m_output_name_edit = nullptr;
  QLabel* m_width_lbl = nullptr;
  QLabel* m_height_lbl = nullptr;
  QLabel* m_total_frames_lbl = nullptr;
  QLabel* m_frame_image = nullptr;
  QSpinBox* m_view_frame_cedit = nullptr;
  FrameTrackBar* m_track_bar = nullptr;
  QSpinBox* m_frame_start_cedit = nullptr;
  QSpinBox* m_frame_end_cedit = nullptr;
  QCheckBox* m_extract_reverse_chk_box = nullptr;
  QCheckBox* m_open_folder_chk_box = nullptr;
  QPushButton* m_extract_btn = nullptr;
  QPushButton* m_stop_btn = nullptr;
  QPushButton* m_save_frame_btn = nullptr;
  QPushButton* m_close_btn = nullptr;
  QFrame* m_progress_bevel = nullptr;
  QLabel* m_progress_image = nullptr;
  QLabel* m_progress_lbl = nullptr;
};

}  // namespace sf::app
