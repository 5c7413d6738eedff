// The key filter of the number fields: a typed character passes when it is a
// digit, a control character other than Enter, or Delete (127); everything else,
// Enter included, is dropped. Keys that type nothing (arrows, Home) and
// shortcuts pass.
//   NumberKeyFilter::Install(width_edit);
#pragma once

#include <QObject>

class QWidget;

namespace sf::app {

class NumberKeyFilter final : public QObject {
  Q_OBJECT

 public:
  // Filters the keys of widget and of its editor child, if it has one.
  static void Install(QWidget* widget);

  static bool AcceptsCharacter(char32_t character);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  using QObject::QObject;
};

}  // namespace sf::app
