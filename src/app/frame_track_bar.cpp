#include "app/frame_track_bar.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace sf::app {

namespace {

// The distance the thumb travels between the first frame and past the last.
constexpr int kTravel = FrameTrackBar::kTrackWidth - FrameTrackBar::kThumbWidth - 4;
constexpr int kTrackTop = (FrameTrackBar::kThumbHeight - FrameTrackBar::kTrackHeight) / 2;

}  // namespace

int FrameTrackBar::ThumbLeftFor(int view_value, double frames) {
  if (!(frames > 0)) return kLowestThumbLeft;
  const double left = std::trunc((view_value - 1.0) * kTravel / frames + kLowestThumbLeft);
  return static_cast<int>(std::clamp(left, double{kLowestThumbLeft}, double{kHighestThumbLeft}));
}

int FrameTrackBar::ViewValueAt(int thumb_left, double frames) {
  const double value = std::trunc((thumb_left - kLowestThumbLeft) * std::max(frames, 0.0) / kTravel + 1);
  return static_cast<int>(std::min(value, 2147483647.0));
}

FrameTrackBar::FrameTrackBar(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("TrackBarImage"));
  setFixedSize(kTrackWidth, kThumbHeight);
}

void FrameTrackBar::Place(int view_value) {
  if (m_dragging) return;
  m_thumb_left = ThumbLeftFor(view_value, m_frames);
  update();
}

void FrameTrackBar::MoveThumb(int left) {
  m_thumb_left = std::clamp(left, kLowestThumbLeft, kHighestThumbLeft);
  update();
  emit FrameChosen(ViewValueAt(m_thumb_left, m_frames));
}

void FrameTrackBar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int x = event->position().toPoint().x();
  if (x >= m_thumb_left && x < m_thumb_left + kThumbWidth) {
    m_grab_offset = x - m_thumb_left;
    m_dragging = true;
    update();
    return;
  }
  // A press on the track centres the thumb on it.
  m_dragging = true;
  MoveThumb(x - kThumbWidth / 2);
  m_dragging = false;
  update();
}

void FrameTrackBar::mouseMoveEvent(QMouseEvent* event) {
  if (!m_dragging || !(event->buttons() & Qt::LeftButton)) return;
  MoveThumb(event->position().toPoint().x() - m_grab_offset);
}

void FrameTrackBar::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  m_dragging = false;
  update();
}

void FrameTrackBar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect track(0, kTrackTop, kTrackWidth, kTrackHeight);
  painter.fillRect(track, QColor(236, 236, 236));
  painter.setPen(QColor(128, 128, 128));
  painter.drawLine(track.topLeft(), track.topRight());
  painter.drawLine(track.topLeft(), track.bottomLeft());
  painter.setPen(Qt::white);
  painter.drawLine(track.bottomLeft(), track.bottomRight());
  painter.drawLine(track.topRight(), track.bottomRight());
  // The groove the thumb runs along.
  const int groove_y = kTrackTop + kTrackHeight / 2;
  painter.fillRect(QRect(kLowestThumbLeft, groove_y - 2, kTrackWidth - 4, 4), QColor(0, 0, 128));

  // The thumb: raised at rest, sunk and lighter while pressed; grey when disabled.
  const QRect thumb(m_thumb_left, 0, kThumbWidth, kThumbHeight);
  const bool pressed = m_dragging;
  const QColor face = !isEnabled() ? QColor(190, 190, 190) : pressed ? QColor(120, 170, 255) : QColor(0, 128, 255);
  painter.fillRect(thumb, face);
  painter.setPen(pressed ? QColor(0, 0, 128) : Qt::white);
  painter.drawLine(thumb.topLeft(), thumb.topRight());
  painter.drawLine(thumb.topLeft(), thumb.bottomLeft());
  painter.setPen(pressed ? Qt::white : QColor(0, 0, 128));
  painter.drawLine(thumb.bottomLeft(), thumb.bottomRight());
  painter.drawLine(thumb.topRight(), thumb.bottomRight());
}

}  // namespace sf::app
