// Moving pictures between the core's Bitmap and Qt's QImage, for showing a
// loaded or fitted picture in a window and for handing a window's own picture
// to the fitting routine.
//   label->setPixmap(QPixmap::fromImage(ToQImage(fitted)));
#pragma once

#include <QImage>

#include "image/bitmap.h"

namespace sf::app {

// A 32-bit RGB copy of any bitmap; a null image for an empty one.
QImage ToQImage(const Bitmap& bitmap);
// A 24-bit copy of any image; an empty bitmap for a null one.
Bitmap ToBitmap(const QImage& image);

}  // namespace sf::app
