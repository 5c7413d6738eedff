// The effects editor: pick an effect, set its value with the slider or the
// number box, preview it on the picture, build the ordered applied list and
// confirm. Previews are worked out on a worker thread; a newer request
// supersedes the one running, and the window stays responsive meanwhile.
//   editor.HideEffectImage();  editor.SetSourceImage(picture);
//   editor.SetBackImage(DecorativeBackground());
//   if (editor.exec() == QDialog::Accepted) cell = FormatEffectList(editor.AppliedEntries());
#pragma once

#include <QDialog>
#include <QImage>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "effects/effect_preview.h"
#include "image/bitmap.h"

class QCheckBox;
class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace sf {
class Reporter;
}

namespace sf::app {

class ClickableLabel;
class EffectSlider;
class TViewImageForm;

class TEffectsForm final : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 673;
  static constexpr int kClientHeight = 523;
  static constexpr int kPictureWidth = 320;
  static constexpr int kPictureHeight = 240;

  TEffectsForm(Reporter& reporter, TViewImageForm& viewer, QWidget* parent = nullptr);
  ~TEffectsForm() override;

  // --- what the opener sets before showing the window -------------------------
  void HideEffectImage();
  // The picture at full size (SourceImage).
  void SetSourceImage(Bitmap picture);
  // The background texture of the window and behind the fitted pictures.
  void SetBackImage(const QImage& texture);
  void SetAppliedEntries(const std::vector<std::string>& entries);
  std::vector<std::string> AppliedEntries() const;

  // --- commands ------------------------------------------------------------------
  void EffectsListBoxClick();
  void ValueEditChange();
  void PreviewBtnClick();
  void PreviewAllBtnClick();
  void AddEffectBtnClick();
  void RemoveEffectBtnClick();
  void MoveUpBtnClick();
  void MoveDownBtnClick();
  void EffectImageClick();

  // The busy mark: set while a preview is being worked out.
  bool Busy() const { return m_busy; }
  // The last preview's full-size result (DestinationImage).
  const Bitmap& DestinationImage() const { return m_destination; }
  // The fitted picture shown as the original (OriginalImage).
  const Bitmap& OriginalPicture() const { return m_original_fitted; }

 signals:
  // A preview ended and its picture or its failure is on show.
  void PreviewFinished();

 protected:
  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void done(int result) override;

 private:
  enum class PreviewKind { kEffect, kApplied };

  void BuildControls();
  void ConnectControls();
  void RefreshButtons();
  QString SelectedEffect() const;
  std::optional<std::vector<EffectStep>> AppliedSteps();
  void StartPreview(PreviewKind kind, std::vector<EffectStep> steps, std::size_t applied_steps);
  void FinishPreview(PreviewResult result);
  void ReportPreviewFailure(const PreviewResult& result);
  void EndBusy();
  void SliderDragged(int value);
  void SliderImageMouseUp();
  void SliderTrackPressed(int value);
  void ValueEditEnter();
  void StepValue(int step);

  Reporter& m_reporter;
  TViewImageForm& m_viewer;
  EffectPreviewRunner m_runner;

  QLabel* m_original_image;
  ClickableLabel* m_effect_image;
  QLabel* m_image_lbl;
  QListWidget* m_effects_list;
  QListWidget* m_applied_list;
  QSpinBox* m_value_edit;
  QLabel* m_range_lbl;
  EffectSlider* m_slider;
  QPushButton* m_preview_btn;
  QCheckBox* m_auto_prev;
  QCheckBox* m_include_applied;
  QPushButton* m_preview_all_btn;
  QPushButton* m_add_btn;
  QPushButton* m_remove_btn;
  QPushButton* m_move_up_btn;
  QPushButton* m_move_down_btn;
  QPushButton* m_ok_btn;
  QPushButton* m_close_btn;

  Bitmap m_source;           // SourceImage
  Bitmap m_destination;      // DestinationImage
  Bitmap m_original_fitted;  // OriginalImage's picture
  Bitmap m_back_bitmap;      // BackImage, as the fitting's background
  QImage m_back_image;
  double m_current_maximum = 100;

  bool m_busy = false;
  PreviewKind m_running_kind = PreviewKind::kEffect;
  std::size_t m_running_applied_steps = 0;
  QString m_remembered_caption;
  QString m_idle_caption;
  bool m_idle_caption_known = false;
};

}  // namespace sf::app
