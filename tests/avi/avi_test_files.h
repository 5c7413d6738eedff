// Files the AVI tests build in memory: WAV images of a given layout, and a
// look at the raw chunks of a written AVI file.
//   const auto wav = MakeWav(2, 44100, 16, 176400);
//   const auto ids = TopLevelChunks(ReadWholeFile(path));
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "avi/avi_format.h"

namespace sf::test {

// A canonical 44-byte-header PCM WAV file whose sample bytes count up from seed.
std::vector<std::uint8_t> MakeWav(int channels, int rate, int bits, std::uint32_t data_size, int seed = 0);

// The ids (with the form for RIFF lists, "RIFF:AVIX") of the chunks at the
// top of a file, and a field of the first chunk with the given id anywhere in
// it (found by its bytes; -1 when absent).
std::vector<std::string> TopLevelChunks(const std::vector<std::uint8_t>& file);
std::int64_t FieldAfter(const std::vector<std::uint8_t>& file, const std::string& id, std::size_t offset);

// An AVI file written field by field: stream lists, then the movi chunks in
// order (a "LIST" id puts the following chunks in a rec list until "END "),
// then an idx1 of the data chunks when asked.
struct TestStream {
  AviStreamHeader header;
  std::vector<std::uint8_t> format;
};
struct TestChunk {
  std::string id;
  std::vector<std::uint8_t> data;
};
void WriteTestAvi(const std::string& path, const std::vector<TestStream>& streams,
                  const std::vector<TestChunk>& chunks, bool with_idx1);
// A BITMAPINFOHEADER; extra bytes (masks, palette) follow it.
std::vector<std::uint8_t> BitmapFormat(int width, int height, int bits, std::uint32_t compression,
                                       const std::vector<std::uint8_t>& extra = {});
// A video stream header of the given size and length.
AviStreamHeader VideoHeader(int width, int height, std::uint32_t length);

// ffprobe's description of a file, one line per stream and one for the
// format, as "key=value|key=value"; empty when ffprobe is not installed.
std::vector<std::string> Probe(const std::string& path);
// Decodes every frame with ffmpeg -xerror; returns its stderr (empty: clean).
std::string DecodeErrors(const std::string& path);

}  // namespace sf::test
