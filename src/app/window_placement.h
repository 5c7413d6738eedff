// Placing a window in the middle of the screen it is on (or the primary one).
//   CentreOnScreen(*this);  show();
#pragma once

class QWidget;

namespace sf::app {

void CentreOnScreen(QWidget& window);

}  // namespace sf::app
