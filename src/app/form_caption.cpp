#include "app/form_caption.h"

#include <QColor>
#include <QFont>
#include <QPalette>

namespace sf::app {

QLabel* FormCaption(const QString& text, QWidget* parent, int x, int y) {
  auto* label = new QLabel(text, parent);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
  label->setPalette(palette);
  label->move(x, y);
  return label;
}

}  // namespace sf::app
