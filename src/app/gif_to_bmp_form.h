// The "Extract Bitmaps from GIF Animation" tool window: loads an animated GIF,
// shows its size, frame count, rate and times, steps through the frames drawn
// one over the other, plays the animation in its preview, saves the frame on
// view, and writes a range of frames as numbered BMP files.
//   main_window.hide();  gif_extract.show();   // Close shows the main window again
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/progress_observer.h"
#include "image/bitmap.h"
#include "tools/gif_frame_extraction.h"

class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

namespace sf {
class GifPlayer;
class GifPlayerClock;
class TGIFImage;
}  // namespace sf

namespace sf::app {

class TAVICompileForm;

class TGIFtoBMPForm final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kPreviewWidth = 320;
  static constexpr int kPreviewHeight = 240;
  static constexpr int kProgressWidth = 305;

  explicit TGIFtoBMPForm(TAVICompileForm& main_window);
  ~TGIFtoBMPForm() override;

  // The clock each playback waits with; the steady clock unless replaced.
  using ClockFactory = std::function<std::unique_ptr<GifPlayerClock>()>;
  void SetPlayerClockFactory(ClockFactory factory) { m_clock_factory = std::move(factory); }

  // What the preview holds: the picture that Save Current Frame writes, and
  // the latest frame while an animation plays.
  const Bitmap& PreviewPicture() const { return m_preview; }
  const QImage& ShownPicture() const { return m_shown; }
  bool Playing() const { return m_player != nullptr; }
  bool HasImage() const { return m_image != nullptr; }

  void LoadGIFBtnClick();
  void OutputNameBtnClick();
  void ExtractBtnClick();
  void StopBtnClick();
  void SaveFrameBtnClick();
  void AnimateBtnClick();
  void StopAnimBtnClick();
  void CloseBtnClick();
  void ViewFrameCEditChange();

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  class ExtractionProgress;

  void BuildControls();
  void ResetState();
  // The controls that busy disables and idle enables again.
  std::vector<QWidget*> BusyControls() const;
  void BusyState();
  void IdleState();
  void PlaceTrackBar();
  void ShowPreview();
  void ShowProgress(const std::string& text, int percent);
  void FrameStartCEditChange();
  void FrameEndCEditChange();
  void ShowPlayedFrame(unsigned generation, const QImage& picture);
  GifDrawMethod Method() const;

  TAVICompileForm& m_main;
  std::unique_ptr<TGIFImage> m_image;
  std::unique_ptr<GifFrameDrawer> m_drawer;
  std::unique_ptr<GifPlayer> m_player;
  std::unique_ptr<ExtractionProgress> m_progress;
  ClockFactory m_clock_factory;
  GifAnimationInfo m_info;
  int m_frames = 0;  // n; 0 before a load
  Bitmap m_preview;
  QImage m_shown;
  unsigned m_generation = 0;  // frames posted by an earlier playback are dropped
  bool m_extracting = false;
  bool m_stop_requested = false;

  QPushButton* LoadGIFBtn;
  QLineEdit* GIFFileEdit;
  QPushButton* OutputNameBtn;
  QLineEdit* OutputNameEdit;
  QLabel* WidthLbl;
  QLabel* HeightLbl;
  QLabel* TotalFramesLbl;
  QLabel* FPSLbl;
  QLabel* TotalTimeLbl;
  QLabel* CurrentTimeLbl;
  QComboBox* MethodCBox;
  QLabel* FrameImage;
  QLabel* NonAspectLbl;
  QSpinBox* ViewFrameCEdit;
  QSlider* TrackBar;
  QSpinBox* FrameStartCEdit;
  QSpinBox* FrameEndCEdit;
  QCheckBox* ExtractReverseChkBox;
  QCheckBox* OpenFolderChkBox;
  QPushButton* ExtractBtn;
  QPushButton* StopBtn;
  QPushButton* SaveFrameBtn;
  QPushButton* AnimateBtn;
  QPushButton* StopAnimBtn;
  QPushButton* CloseBtn;
  QFrame* ProgressBevel;
  QLabel* ProgressImage;
  QLabel* ProgressLbl;
};

}  // namespace sf::app
