// PCM WAV files for the sound track: the audio format and the sample bytes,
// found by walking the chunks of a RIFF WAVE file, so the canonical 44-byte
// layout and files with other chunks before the samples both read, and nothing
// is read past the end of the file.
//   const WavData wav = ReadWav(bytes);   // throws FormatError
#pragma once

#include <cstdint>
#include <span>

#include "avi/avi_format.h"

namespace sf {

struct WavData {
  WaveFormat format;  // extra size 0; an extensible format gives its sub-format's tag
  std::span<const std::uint8_t> samples;
};

// Throws FormatError for a file shorter than the 44-byte header, a file that is
// not RIFF WAVE (AIFF and others), a missing fmt or data chunk, samples that
// run past the end of the file, and a format without channels, sample size,
// block alignment or sample rate.
WavData ReadWav(std::span<const std::uint8_t> file);

}  // namespace sf
