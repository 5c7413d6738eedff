// The addresses the Help menu and the About window open with the desktop's
// default handler.
#pragma once

namespace sf::app {

inline constexpr char kSlideforgeHomePage[] = "https://slideforge.example.org/";
inline constexpr char kMakerHomePage[] = "https://korvane.example.org/";
inline constexpr char kMakerEmail[] = "mailto:slideforge@korvane.example.org";
inline constexpr char kOtherProductPage[] = "https://korvane.example.org/products/";

}  // namespace sf::app
