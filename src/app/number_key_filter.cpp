#include "app/number_key_filter.h"

#include <QAbstractSpinBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace sf::app {

void NumberKeyFilter::Install(QWidget* widget) {
  auto* filter = new NumberKeyFilter(widget);
  widget->installEventFilter(filter);
  // A spin box hands its keys to its line edit.
  if (auto* editor = widget->findChild<QLineEdit*>()) editor->installEventFilter(filter);
}

bool NumberKeyFilter::AcceptsCharacter(char32_t character) {
  if (character >= U'0' && character <= U'9') return true;
  if (character == 13) return false;
  return character < 32 || character == 127;
}

bool NumberKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) return true;
  // Shortcuts (Ctrl+A, Alt+letter) are not typed characters.
  if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QString text = key->text();
  if (text.isEmpty()) return false;
  for (const char32_t character : text.toUcs4())
    if (!AcceptsCharacter(character)) return true;
  return false;
}

}  // namespace sf::app
