// The longer notes the "?" labels show in the hint window.
//   hint_form.ShowNote(kGifNotes);
#pragma once

namespace sf::app {

extern const char kGifNotes[];
extern const char kResizeNotes[];
extern const char kTransparencyNotes[];

}  // namespace sf::app
