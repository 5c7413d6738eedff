// The streams of an AVI file as a reader needs them: header, format and where
// the chunks lie, from the OpenDML super indexes, idx1, or a walk of the movi
// lists of every RIFF segment when no index is usable.
//   const AviFile file = ReadAviFile(bytes);   // throws FormatError when not an AVI
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "avi/avi_format.h"

namespace sf {

// The data of one chunk, by its offset in the file (after the chunk header).
struct AviChunkRef {
  std::uint64_t offset = 0;
  std::uint32_t size = 0;
};

// A palette-change chunk (##pc) that comes before chunk number before_chunk.
struct AviPaletteChange {
  std::size_t before_chunk = 0;
  AviChunkRef data;
};

struct AviStream {
  AviStreamHeader header;
  std::vector<std::uint8_t> format;  // the strf body
  std::vector<AviChunkRef> chunks;   // in stream order: frame k is chunks[k]
  std::vector<AviPaletteChange> palette_changes;
};

struct AviFile {
  // One entry per stream list of the header; nullopt for a list whose stream
  // header is missing or too short to read.
  std::vector<std::optional<AviStream>> streams;
};

// Throws FormatError when the bytes are not a RIFF AVI file with a header list.
// Index entries are not trusted: a chunk that lies outside the file is kept
// and found missing only when its frame is decoded.
AviFile ReadAviFile(std::span<const std::uint8_t> file);

}  // namespace sf
