#include "app/tip_hide_pause.h"

#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace sf::app {

bool TipHidePause::eventFilter(QObject* watched, QEvent* event) {
  auto* widget = qobject_cast<QWidget*>(watched);
  if (event->type() == QEvent::ToolTip && widget && !widget->toolTip().isEmpty()) {
    const auto* help = static_cast<QHelpEvent*>(event);
    QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, m_milliseconds);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace sf::app
