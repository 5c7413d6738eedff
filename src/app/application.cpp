#include "app/application.h"

#include <QApplication>
#include <QFileInfo>
#include <QIcon>
#include <QTimer>

#include "app/main_window.h"
#include "app/main_window_list_host.h"
#include "app/tip_hide_pause.h"

namespace sf::app {

void OpenAtStart(TAVICompileForm& window, const std::string& project) {
  const QString path = QFileInfo(QString::fromStdString(project)).absoluteFilePath();
  window.ListCommandsHost().Projects().OpenWithoutDialog(path.toStdString());
}

int RunApplication(int argc, char** argv, const std::optional<std::string>& project) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Slideforge"));
  QGuiApplication::setApplicationDisplayName(QStringLiteral("Slideforge"));
  // The desktop entry and the icon the package installs.
  QGuiApplication::setDesktopFileName(QStringLiteral("slideforge"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("slideforge")));
  // The main window makes the windows that live as long as it does.
  TAVICompileForm window;
  TipHidePause tips(5000);
  application.installEventFilter(&tips);
  window.show();
  if (project) QTimer::singleShot(0, &window, [&window, &project] { OpenAtStart(window, *project); });
  return QApplication::exec();
}

}  // namespace sf::app
