#include "app/qt_desktop.h"

#include <QDesktopServices>
#include <QUrl>

namespace sf::app {

void QtDesktop::Open(const std::string& path_or_address) {
  const QString text = QString::fromStdString(path_or_address);
  const QUrl url = text.contains(QStringLiteral("://")) || text.startsWith(QStringLiteral("mailto:"))
                       ? QUrl(text)
                       : QUrl::fromLocalFile(text);
  QDesktopServices::openUrl(url);
}

}  // namespace sf::app
