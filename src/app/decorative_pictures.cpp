#include "app/decorative_pictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace sf::app {

namespace {

QImage DrawBackground() {
  QImage picture(640, 480, QImage::Format_RGB32);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, picture.height());
  sky.setColorAt(0.0, QColor(226, 233, 242));
  sky.setColorAt(1.0, QColor(196, 210, 227));
  painter.fillRect(picture.rect(), sky);
  // Soft light from the top left.
  QRadialGradient light(QPointF(120, 60), 520);
  light.setColorAt(0.0, QColor(255, 255, 255, 110));
  light.setColorAt(1.0, QColor(255, 255, 255, 0));
  painter.fillRect(picture.rect(), light);
  // A few gentle waves across the lower half.
  for (int wave = 0; wave < 5; ++wave) {
    QPainterPath path;
    const double base = 300 + wave * 34;
    path.moveTo(0, base);
    for (int x = 0; x <= picture.width(); x += 40) path.quadTo(x + 20, base + ((x / 40) % 2 ? 14 : -14), x + 40, base);
    painter.setPen(QPen(QColor(255, 255, 255, 70 - wave * 10), 6));
    painter.drawPath(path);
  }
  return picture;
}

QImage DrawProgress() {
  QImage picture(248, 15, QImage::Format_RGB32);
  QPainter painter(&picture);
  QLinearGradient across(0, 0, picture.width(), 0);
  across.setColorAt(0.0, QColor(0, 170, 220));
  across.setColorAt(1.0, QColor(0, 235, 255));
  painter.fillRect(picture.rect(), across);
  QLinearGradient gloss(0, 0, 0, picture.height());
  gloss.setColorAt(0.0, QColor(255, 255, 255, 140));
  gloss.setColorAt(0.5, QColor(255, 255, 255, 30));
  gloss.setColorAt(1.0, QColor(0, 0, 0, 30));
  painter.fillRect(picture.rect(), gloss);
  return picture;
}

QImage DrawEmblem() {
  QImage picture(96, 96, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(40, 52, 70));
  painter.setPen(Qt::NoPen);
  painter.drawRoundedRect(QRectF(8, 14, 80, 68), 8, 8);
  painter.setBrush(QColor(235, 240, 248));
  for (int i = 0; i < 6; ++i) {
    painter.drawRect(QRectF(14 + i * 12.5, 18, 7, 7));
    painter.drawRect(QRectF(14 + i * 12.5, 71, 7, 7));
  }
  QLinearGradient frame(0, 30, 0, 66);
  frame.setColorAt(0.0, QColor(90, 160, 230));
  frame.setColorAt(1.0, QColor(250, 190, 90));
  painter.setBrush(frame);
  painter.drawRect(QRectF(16, 30, 64, 36));
  painter.setBrush(QColor(60, 110, 60));
  QPainterPath hills;
  hills.moveTo(16, 66);
  hills.quadTo(36, 44, 52, 60);
  hills.quadTo(64, 50, 80, 58);
  hills.lineTo(80, 66);
  hills.closeSubpath();
  painter.drawPath(hills);
  return picture;
}

}  // namespace

const QImage& DecorativeBackground() {
  static const QImage picture = DrawBackground();
  return picture;
}

const QImage& ProgressPicture() {
  static const QImage picture = DrawProgress();
  return picture;
}

const QImage& Emblem() {
  static const QImage picture = DrawEmblem();
  return picture;
}

}  // namespace sf::app
