#include "app/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace sf::app {

void CentreOnScreen(QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  QRect frame = window.frameGeometry();
  if (frame.isEmpty()) frame = QRect(QPoint(), window.size());
  frame.moveCenter(screen->availableGeometry().center());
  window.move(frame.topLeft());
}

}  // namespace sf::app
