// A tool window that stands in for the main window while it is open: a fixed
// size, a separate window with its title and minimise and close boxes, in
// 8-point type. Closing it says closed(), on which the main window shows
// again, unless a run going on inside its events keeps it open.
//   class TBitrateForm final : public ToolWindow { ... };
//   connect(&bitrate, &TBitrateForm::closed, main_window, &QWidget::show);
#pragma once

#include <QWidget>

namespace sf::app {

class ToolWindow : public QWidget {
  Q_OBJECT

 signals:
  // Close or the close box: the main window shows again.
  void closed();

 protected:
  ToolWindow(const char* object_name, const char* title, QSize size, QWidget* parent);

  // True while the window must stay open; a close asked for meanwhile is refused.
  virtual bool KeepOpen() const { return false; }
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace sf::app
