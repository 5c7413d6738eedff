// The transitions window: the four page-flip animations previewed over the
// background picture, one of which Apply assigns to the selected rows. An
// animation runs 80 frames 20 ms apart and stops as soon as another item is
// chosen or the window closes.
//   form.Load(path, background, {.upright = true});
//   if (form.exec() == QDialog::Accepted) cell = std::to_string(form.ChosenTransition());
#pragma once

#include <QDialog>
#include <QTimer>
#include <string>

#include "image/bitmap.h"
#include "image/color.h"
#include "loader/load_image.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace sf {
class Reporter;
}

namespace sf::app {

class TTransitionsForm final : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kClientWidth = 572;
  static constexpr int kClientHeight = 413;
  static constexpr int kPreviewWidth = 287;
  static constexpr int kPreviewHeight = 255;
  static constexpr int kFrameMilliseconds = 20;

  explicit TTransitionsForm(Reporter& reporter, QWidget* parent = nullptr);

  // What showing the window does: clears the stop flag, takes the background
  // picture (BackImage) and fits the picture file onto the preview's size over
  // the key colour (BuffImage).
  void Load(const std::string& path, const Bitmap& background, const LoadOptions& options);

  // The list index last chosen.
  int ChosenTransition() const;
  // The animation playing (0 to 3) and its next frame, or -1 when none plays.
  int PlayingTransition() const { return m_playing; }
  int NextFrame() const { return m_frame; }
  // The preview's picture as last drawn.
  const Bitmap& PreviewPicture() const { return m_preview; }
  const Bitmap& FittedPicture() const { return m_buff; }
  ColorRef KeyColor() const { return m_key; }

  void TransListBoxClick();
  void ApplyBtnClick();
  void CancelBtnClick();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void done(int result) override;

 private:
  void DrawNextFrame();
  void StopAnimation();

  Reporter& m_reporter;
  QListWidget* m_list;
  QLabel* m_preview_image;
  QLineEdit* m_duration_edit;
  QPushButton* m_apply_btn;
  QPushButton* m_cancel_btn;
  QTimer m_timer;

  Bitmap m_buff;          // BuffImage: the picture fitted to the preview
  Bitmap m_back;          // BackImage stretched over the preview once
  Bitmap m_trans_color;   // TransColorImage
  Bitmap m_preview;       // what PreviewImage shows
  ColorRef m_key = 0;
  bool m_stop = false;
  bool m_first_click = true;
  int m_playing = -1;
  int m_frame = 0;
};

}  // namespace sf::app
