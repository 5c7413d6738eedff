// Walking the chunks of a RIFF file. Every chunk is cut from its parent through
// a sub-reader, so a size that claims more than the parent holds stops at the
// parent's end and the chunk is marked truncated.
//   RiffWalker walker(list.body, list.body_offset);
//   while (const auto chunk = walker.Next()) { if (chunk->id == "strh") ... }
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "common/byte_reader.h"

namespace sf {

struct RiffChunk {
  std::string id;
  // The form of a "RIFF" or "LIST" chunk ("AVI ", "movi", ...); empty otherwise.
  std::string list_type;
  // Offsets within the whole file: the 8-byte header and the body (which, for a
  // list, starts after its form).
  std::uint64_t offset = 0;
  std::uint64_t body_offset = 0;
  std::uint32_t declared_size = 0;
  std::span<const std::uint8_t> body;
  // The declared size ran past the end of the parent.
  bool truncated = false;

  ByteReader Reader() const { return ByteReader(body); }
};

class RiffWalker {
 public:
  // data is the parent's body; offset is where data starts in the file.
  explicit RiffWalker(std::span<const std::uint8_t> data, std::uint64_t offset = 0)
      : m_reader(data), m_offset(offset) {}

  // The next chunk, or nullopt once fewer than 8 bytes remain.
  std::optional<RiffChunk> Next();

 private:
  ByteReader m_reader;
  std::uint64_t m_offset;
};

// The chunk whose header starts at offset in the file (index entries point
// there); nullopt when no whole header fits.
std::optional<RiffChunk> ChunkAt(std::span<const std::uint8_t> file, std::uint64_t offset);

}  // namespace sf
