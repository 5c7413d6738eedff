// Every pop-up tip of the application stays up for the same time before it
// hides by itself.
//   TipHidePause tips(5000);  app.installEventFilter(&tips);
#pragma once

#include <QObject>

namespace sf::app {

class TipHidePause final : public QObject {
  Q_OBJECT

 public:
  explicit TipHidePause(int milliseconds) : m_milliseconds(milliseconds) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int m_milliseconds;
};

}  // namespace sf::app
