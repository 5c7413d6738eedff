#include "app/effect_slider.h"

#include <QMouseEvent>
#include <QPainter>

namespace sf::app {

namespace {

constexpr int kTrackHeight = 19;
constexpr int kThumbHeight = 25;
constexpr int kTrackTop = (kThumbHeight - kTrackHeight) / 2;

}  // namespace

EffectSlider::EffectSlider(QWidget* parent) : QWidget(parent) {
  setFixedSize(m_track.width, kThumbHeight);
  setCursor(Qt::PointingHandCursor);
}

void EffectSlider::ShowValue(double value) {
  if (m_dragging) return;
  m_thumb_left = ThumbLeftForValue(m_track, value, m_maximum);
  update();
}

QRect EffectSlider::ThumbRect() const { return QRect(m_thumb_left, 0, m_track.thumb_width, kThumbHeight); }

void EffectSlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const bool enabled = isEnabled();
  const QRect track(0, kTrackTop, m_track.width, kTrackHeight);
  QLinearGradient groove(track.topLeft(), track.bottomLeft());
  groove.setColorAt(0, enabled ? QColor(20, 40, 90) : QColor(110, 110, 110));
  groove.setColorAt(1, enabled ? QColor(90, 130, 200) : QColor(170, 170, 170));
  painter.setPen(QColor(0, 0, 64));
  painter.setBrush(groove);
  painter.drawRoundedRect(track.adjusted(0, 0, -1, -1), 4, 4);
  painter.setPen(QColor(200, 210, 230));
  painter.drawLine(track.left() + 6, track.center().y(), track.right() - 6, track.center().y());

  const QRect thumb = ThumbRect().adjusted(0, 0, -1, -1);
  QLinearGradient face(thumb.topLeft(), thumb.topRight());
  const QColor light = !enabled ? QColor(200, 200, 200) : m_dragging ? QColor(255, 200, 120) : QColor(240, 240, 250);
  face.setColorAt(0, light);
  face.setColorAt(1, light.darker(m_dragging ? 150 : 130));
  painter.setPen(QColor(0, 0, 64));
  painter.setBrush(face);
  painter.drawRoundedRect(thumb, 3, 3);
}

void EffectSlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int x = event->position().toPoint().x();
  if (ThumbRect().contains(event->position().toPoint())) {
    m_press_x = x - m_thumb_left;
    m_dragging = true;
    update();
    return;
  }
  m_thumb_left = PressedThumbLeft(m_track, x);
  update();
  emit TrackPressed(ValueForThumbLeft(m_track, m_thumb_left, m_maximum));
}

void EffectSlider::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging || !(event->buttons() & Qt::LeftButton)) return;
  const int d = event->position().toPoint().x() - m_thumb_left - m_press_x;
  m_thumb_left = DraggedThumbLeft(m_track, m_thumb_left, d);
  update();
  emit ValueDragged(ValueForThumbLeft(m_track, m_thumb_left, m_maximum));
}

void EffectSlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !m_dragging) return;
  m_dragging = false;
  update();
  emit Released();
}

void EffectSlider::changeEvent(QEvent* event) {
  if (event->type() == QEvent::EnabledChange) update();
  QWidget::changeEvent(event);
}

}  // namespace sf::app
