#include "app/application.h"

#include <QApplication>

#include "app/main_window.h"
#include "app/tip_hide_pause.h"

namespace sf::app {

int RunApplication(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Slideforge"));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Slideforge"));
  // The main window makes the windows that live as long as it does.
  TAVICompileForm window;
  TipHidePause tips(5000);
  application.installEventFilter(&tips);
  window.show();
  return QApplication::exec();
}

}  // namespace sf::app
