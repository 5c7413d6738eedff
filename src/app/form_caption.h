// The bold navy caption that heads a block of controls in the folder browser
// and the directory chooser.
//   QLabel* label = FormCaption("Directories", this, 8, 6);
#pragma once

#include <QLabel>
#include <QString>

namespace sf::app {

QLabel* FormCaption(const QString& text, QWidget* parent, int x, int y);

}  // namespace sf::app
