// The effects editor's value slider: a 229 x 19 track with a 14 x 25 thumb
// that is dragged or placed by a press on the track. It maps thumb positions
// to values with the editor's current maximum; while the thumb is held it
// reports values but the editor previews only once it is released.
//   slider->SetMaximum(256);  slider->ShowValue(50);
//   connect(slider, &EffectSlider::Released, this, &TEffectsForm::SliderImageMouseUp);
#pragma once

#include <QWidget>

#include "effects/effect_editing.h"

namespace sf::app {

class EffectSlider final : public QWidget {
  Q_OBJECT

 public:
  explicit EffectSlider(QWidget* parent = nullptr);

  void SetMaximum(double maximum) { m_maximum = maximum; }
  // Places the thumb for the value, unless the thumb is held.
  void ShowValue(double value);
  int ThumbLeft() const { return m_thumb_left; }
  // Where the thumb is drawn, in the slider's own coordinates.
  QRect ThumbRect() const;
  // The drag mark: set while the thumb is held down.
  bool Dragging() const { return m_dragging; }

 signals:
  // The thumb moved while held, or the track was pressed; value from its position.
  void ValueDragged(int value);
  void TrackPressed(int value);
  void Released();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  SliderTrack m_track;
  double m_maximum = 100;
  int m_thumb_left = 2;
  int m_press_x = 0;  // the mouse position within the thumb where it was grabbed
  bool m_dragging = false;
};

}  // namespace sf::app
