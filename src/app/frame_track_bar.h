// The track bar under a frame extractor's preview: a 257 x 19 track with a
// 14 x 25 thumb whose position stands for the frame on view. Pressing the track
// centres the thumb on the press, dragging the thumb moves it, and either way
// the frame number under the thumb is offered to the view field; the view field
// in turn places the thumb.
//   FrameTrackBar* bar = new FrameTrackBar(this);
//   bar->SetFrameCount(250);  bar->Place(view_edit->value());
//   connect(bar, &FrameTrackBar::FrameChosen, view_edit, &QSpinBox::setValue);
#pragma once

#include <QWidget>

namespace sf::app {

class FrameTrackBar final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTrackWidth = 257;
  static constexpr int kTrackHeight = 19;
  static constexpr int kThumbWidth = 14;
  static constexpr int kThumbHeight = 25;
  // The thumb's left edge ranges over these, relative to the track's left edge.
  static constexpr int kLowestThumbLeft = 2;
  static constexpr int kHighestThumbLeft = kTrackWidth - kThumbWidth - 3;

  // The thumb's left edge for a 1-based view value out of `frames` frames; a
  // bar with no frames keeps the thumb at the left end.
  static int ThumbLeftFor(int view_value, double frames);
  // The 1-based view value under a thumb whose left edge is at `thumb_left`.
  static int ViewValueAt(int thumb_left, double frames);

  explicit FrameTrackBar(QWidget* parent = nullptr);

  void SetFrameCount(double frames) { m_frames = frames; }
  // Moves the thumb to the view value, unless the user is dragging it.
  void Place(int view_value);
  int ThumbLeft() const { return m_thumb_left; }
  bool Dragging() const { return m_dragging; }

 signals:
  // The user moved the thumb to the frame with this 1-based number.
  void FrameChosen(int view_value);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void MoveThumb(int left);

  double m_frames = -1;  // no video loaded yet
  int m_thumb_left = kLowestThumbLeft;
  int m_grab_offset = 0;  // x of the press inside the thumb
  bool m_dragging = false;
};

}  // namespace sf::app
