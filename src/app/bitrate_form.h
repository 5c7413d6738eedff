// The video bitrate calculator tool window: media type, playing time, audio
// and disc settings in, the video bit rate that fills the discs out, with the
// maximum-rate table, the overhead and the sizes. It recalculates as the
// fields change and shows notes in its own status bar.
//   TBitrateForm bitrate(reporter);
//   connect(&bitrate, &TBitrateForm::closed, main_window, &QWidget::show);
#pragma once

#include "app/status_bar.h"
#include "app/tool_window.h"
#include "common/reporter.h"
#include "tools/bitrate_calculator.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace sf::app {

class ClickableLabel;

class TBitrateForm final : public ToolWindow {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 476;
  static constexpr int kClientHeight = 312;

  explicit TBitrateForm(Reporter& reporter, QWidget* parent = nullptr);

  // The status bar's one panel.
  QString NoteText() const { return m_status_bar.panels[0].text; }

  void GoBtnClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ConnectHandlers();
  void SetUpStatusBar();
  void ShowNote(const QString& text);
  void ShowResult(const BitrateResult& result);
  std::optional<BitrateInputs> ReadInputs();

  void TypeBoxChange();
  void AudioBoxChange();
  void DurationEditChange();
  void SizeEditChange();
  void CountEditChange(int value);
  void BitsPerKiloBoxEnter();

  Reporter& m_reporter;
  StatusBarObject m_status_bar;
  BitrateShown m_shown;
  bool m_busy = false;
  bool m_filling = false;  // a preset is being written into the fields

  QComboBox* m_type_box = nullptr;
  QLineEdit* m_duration_edit = nullptr;
  QComboBox* m_audio_box = nullptr;
  QSpinBox* m_num_tracks_edit = nullptr;
  QLineEdit* m_size_edit = nullptr;
  QComboBox* m_size_box = nullptr;
  QSpinBox* m_num_disks_edit = nullptr;
  QComboBox* m_bits_per_kilo_box = nullptr;
  QLineEdit* m_free_space_edit = nullptr;
  QCheckBox* m_ignore_max_chk_box = nullptr;
  ClickableLabel* m_ignore_max_lbl = nullptr;
  QGroupBox* m_max_table = nullptr;
  QLabel* m_dvd_max_lbl = nullptr;
  QLabel* m_cdvd_max_lbl = nullptr;
  QLabel* m_svcd_max_lbl = nullptr;
  QLineEdit* m_overhead_edit = nullptr;
  QLabel* m_audio_file_size_lbl = nullptr;
  QLabel* m_disk_space_lbl = nullptr;
  QLabel* m_total_iso_size_lbl = nullptr;
  QLineEdit* m_bitrate_edit = nullptr;
  QLineEdit* m_bitrate_bits_edit = nullptr;
  QPushButton* m_go_btn = nullptr;
  QPushButton* m_close_btn = nullptr;
};

}  // namespace sf::app
