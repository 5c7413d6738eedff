// The pictures the program draws for itself instead of loading them: the
// decorative background every window stretches over its area, the 248 x 15
// progress picture of the status bars, and the film-strip emblem of the About
// window.
//   painter.drawImage(rect(), DecorativeBackground());
#pragma once

#include <QImage>

namespace sf::app {

const QImage& DecorativeBackground();
const QImage& ProgressPicture();
const QImage& Emblem();

}  // namespace sf::app
