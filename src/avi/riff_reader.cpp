#include "avi/riff_reader.h"

#include <algorithm>

namespace sf {

namespace {

RiffChunk ReadChunk(ByteReader& reader, std::uint64_t base_offset) {
  RiffChunk chunk;
  chunk.offset = base_offset + reader.Position();
  chunk.id = reader.FourCC();
  chunk.declared_size = reader.U32();
  const std::size_t available = std::min<std::size_t>(chunk.declared_size, reader.Remaining());
  chunk.truncated = available < chunk.declared_size;
  chunk.body_offset = base_offset + reader.Position();
  ByteReader body = reader.Sub(available);
  if ((chunk.id == "RIFF" || chunk.id == "LIST") && body.Remaining() >= 4) {
    chunk.list_type = body.FourCC();
    chunk.body_offset += 4;
  }
  chunk.body = body.Rest();
  // An odd body is followed by one pad byte.
  if (chunk.declared_size % 2 != 0 && !chunk.truncated && reader.Remaining() > 0) reader.Skip(1);
  return chunk;
}

}  // namespace

std::optional<RiffChunk> RiffWalker::Next() {
  if (m_reader.Remaining() < 8) return std::nullopt;
  return ReadChunk(m_reader, m_offset);
}

std::optional<RiffChunk> ChunkAt(std::span<const std::uint8_t> file, std::uint64_t offset) {
  if (offset > file.size() || file.size() - offset < 8) return std::nullopt;
  ByteReader reader(file.subspan(static_cast<std::size_t>(offset)));
  return ReadChunk(reader, offset);
}

}  // namespace sf
