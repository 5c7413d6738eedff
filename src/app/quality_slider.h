// The JPEG quality slider of the batch converter: a track with a thumb whose
// left edge and the value 1..100 follow each other in fixed pixel steps, two
// pixels per value. Dragging moves the thumb by the mouse's travel; pressing on
// the track centres the thumb on the mouse.
//   connect(slider, &QualitySlider::ValueChosen, quality_edit, &QSpinBox::setValue);
//   slider->ShowValue(quality_edit->value());
#pragma once

#include <QWidget>

namespace sf::app {

class QualitySlider final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kTrackWidth = 218;
  static constexpr int kThumbWidth = 14;
  static constexpr int kThumbHeight = 25;
  static constexpr int kMaximum = 100;
  // The thumb's travel: track width - thumb width - 4.
  static constexpr int kSpan = kTrackWidth - kThumbWidth - 4;

  explicit QualitySlider(QWidget* parent = nullptr);

  int Value() const { return m_value; }
  int ThumbLeft() const { return m_thumb_left; }
  bool Dragging() const { return m_dragging; }
  // Places the thumb for a value typed elsewhere; ignored while the thumb is held.
  void ShowValue(int value);

 signals:
  // The person moved the thumb to a new value.
  void ValueChosen(int value);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void TakeValueFromThumb();

  int m_value = kMaximum;
  int m_thumb_left = 0;
  bool m_dragging = false;
  int m_press_x = 0;  // where the thumb was pressed, from its left edge
};

}  // namespace sf::app
