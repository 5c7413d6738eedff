#include "app/quality_slider.h"

#include <QMouseEvent>
#include <QPainter>

namespace sf::app {

namespace {

constexpr int kFirstThumbLeft = 2;
constexpr int kLastThumbLeft = QualitySlider::kTrackWidth - QualitySlider::kThumbWidth - 3;

int ThumbLeftFor(int value) {
  return static_cast<int>((value - 1) * static_cast<double>(QualitySlider::kSpan) / QualitySlider::kMaximum +
                          kFirstThumbLeft);
}

}  // namespace

QualitySlider::QualitySlider(QWidget* parent) : QWidget(parent), m_thumb_left(ThumbLeftFor(kMaximum)) {
  setFixedSize(kTrackWidth, kThumbHeight);
  setCursor(Qt::PointingHandCursor);
}

void QualitySlider::ShowValue(int value) {
  if (m_dragging || value < 1 || value > kMaximum) return;
  m_value = value;
  m_thumb_left = ThumbLeftFor(value);
  update();
}

void QualitySlider::TakeValueFromThumb() {
  const int value =
      static_cast<int>((m_thumb_left - kFirstThumbLeft) * static_cast<double>(kMaximum) / kSpan + 1);
  update();
  if (value == m_value) return;
  m_value = value;
  emit ValueChosen(value);
}

void QualitySlider::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int x = event->position().toPoint().x();
  if (x >= m_thumb_left && x < m_thumb_left + kThumbWidth) {
    m_press_x = x - m_thumb_left;
    m_dragging = true;
    update();
    return;
  }
  // On the track: the thumb jumps to centre on the mouse. The drag mark keeps
  // the new value from placing the thumb again in its own steps.
  m_dragging = true;
  m_thumb_left = x - kThumbWidth / 2;
  if (m_thumb_left + kThumbWidth >= kTrackWidth - 2) m_thumb_left = kLastThumbLeft;
  if (m_thumb_left <= kFirstThumbLeft) m_thumb_left = kFirstThumbLeft;
  TakeValueFromThumb();
  m_dragging = false;
}

void QualitySlider::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging || !(event->buttons() & Qt::LeftButton)) return;
  const int d = event->position().toPoint().x() - m_thumb_left - m_press_x;
  if (m_thumb_left + kThumbWidth + d < kTrackWidth - 2 && m_thumb_left + d > kFirstThumbLeft) m_thumb_left += d;
  if (m_thumb_left + kThumbWidth + d >= kTrackWidth - 2) m_thumb_left = kLastThumbLeft;
  if (kFirstThumbLeft >= m_thumb_left + d) m_thumb_left = kFirstThumbLeft;
  TakeValueFromThumb();
}

void QualitySlider::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_dragging = false;
  update();
}

void QualitySlider::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& colours = palette();
  const bool enabled = isEnabled();
  const QRect groove(0, kThumbHeight / 2 - 3, kTrackWidth, 6);
  painter.setPen(colours.color(QPalette::Dark));
  painter.setBrush(colours.color(enabled ? QPalette::Base : QPalette::Window));
  painter.drawRect(groove.adjusted(0, 0, -1, -1));
  const QRect thumb(m_thumb_left, 0, kThumbWidth, kThumbHeight);
  QColor face = enabled ? colours.color(QPalette::Highlight) : colours.color(QPalette::Mid);
  if (m_dragging) face = face.darker(130);
  painter.setBrush(face);
  painter.drawRoundedRect(thumb.adjusted(0, 0, -1, -1), 3, 3);
}

}  // namespace sf::app
