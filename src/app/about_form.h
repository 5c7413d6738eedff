// The About window: the program's name and emblem and three links that open
// with the desktop's default handler. Made anew each time it is shown.
//   TAboutForm about(desktop, this);  about.exec();
#pragma once

#include <QDialog>
#include <vector>

#include "common/desktop.h"

class QLabel;

namespace sf::app {

class TAboutForm final : public QDialog {
  Q_OBJECT

 public:
  TAboutForm(Desktop& desktop, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QLabel* AddLink(const char* name, const QString& caption, const char* address);
  void ColourLinks(QLabel* hovered);

  Desktop& m_desktop;
  std::vector<QLabel*> m_links;
};

}  // namespace sf::app
