#include "app/tool_window.h"

#include <QCloseEvent>

namespace sf::app {

ToolWindow::ToolWindow(const char* object_name, const char* title, QSize size, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint) {
  setObjectName(QString::fromLatin1(object_name));
  setWindowTitle(QString::fromLatin1(title));
  setFixedSize(size);
  QFont small = font();
  small.setPointSize(8);
  setFont(small);
}

void ToolWindow::closeEvent(QCloseEvent* event) {
  if (KeepOpen()) {
    event->ignore();
    return;
  }
  event->accept();
  emit closed();
}

}  // namespace sf::app
