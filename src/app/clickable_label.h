// A label that reports a click: the "?" help labels and the preview picture.
//   auto* help = new ClickableLabel("?", this);
//   connect(help, &ClickableLabel::clicked, this, &Form::ShowNotes);
#pragma once

#include <QLabel>

namespace sf::app {

class ClickableLabel final : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace sf::app
