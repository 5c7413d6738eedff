// The bundled show: a short sound track for the sample pictures and the
// project that plays them, with a few rows given effects, saved as the program
// saves projects (absolute paths).
//   WriteSampleSound("/abs/build/sample/sample-tune.wav");
//   WriteSampleProject("/abs/build/sample/", pictures);
#pragma once

#include <string>
#include <vector>

namespace sf::sample {

// A 16-bit mono PCM WAV file of a few seconds: a slow chord that swells and fades.
void WriteSampleSound(const std::string& path);

// Writes folder + "sample.sfg": the pictures in order at 352 x 240 and 29.97
// frames per second, 0.75 seconds each, with the sound track folder +
// "sample-tune.wav" and the output folder + "sample.avi". folder is absolute,
// with its trailing "/". Returns the project's path.
std::string WriteSampleProject(const std::string& folder, const std::vector<std::string>& picture_names);

}  // namespace sf::sample
