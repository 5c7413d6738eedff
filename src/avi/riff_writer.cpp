#include "avi/riff_writer.h"

#include <sys/types.h>

#include <algorithm>
#include <array>
#include <cassert>
#include <stdexcept>

#include "common/file_util.h"

namespace sf {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

}  // namespace

RiffWriter::RiffWriter(const std::string& path) : m_path(path) {
  m_file = std::fopen(path.c_str(), "wb");
  if (m_file == nullptr) throw std::runtime_error("Unable to create file " + path);
  std::setvbuf(m_file, nullptr, _IOFBF, kBufferSize);
}

RiffWriter::~RiffWriter() {
  if (m_file != nullptr) std::fclose(m_file);
}

void RiffWriter::Write(const void* data, std::size_t size) {
  assert(m_file != nullptr);
  if (size == 0) return;
  if (std::fwrite(data, 1, size, m_file) != size) throw WriteFailure(m_path);
  m_position += size;
  m_end = std::max(m_end, m_position);
}

RiffWriter::Chunk RiffWriter::BeginChunk(std::string_view id) {
  const Chunk chunk{m_position};
  FourCC(id);
  U32(0);  // patched by EndChunk
  return chunk;
}

RiffWriter::Chunk RiffWriter::BeginList(std::string_view type, std::string_view id) {
  const Chunk chunk = BeginChunk(id);
  FourCC(type);
  return chunk;
}

void RiffWriter::EndChunk(const Chunk& chunk) {
  const std::uint64_t body = m_position - chunk.start - 8;
  if (body > 0xFFFFFFFFu) throw std::length_error("RIFF chunk larger than 4 GiB");
  if (body % 2 != 0) U8(0);
  PatchU32(chunk.start + 4, static_cast<std::uint32_t>(body));
}

void RiffWriter::U8(std::uint8_t value) { Write(&value, 1); }

void RiffWriter::U16(std::uint16_t value) {
  const std::array<std::uint8_t, 2> bytes{static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
  Write(bytes.data(), bytes.size());
}

void RiffWriter::U32(std::uint32_t value) {
  std::array<std::uint8_t, 4> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
  Write(bytes.data(), bytes.size());
}

void RiffWriter::U64(std::uint64_t value) {
  U32(static_cast<std::uint32_t>(value));
  U32(static_cast<std::uint32_t>(value >> 32));
}

void RiffWriter::FourCC(std::string_view code) {
  assert(code.size() == 4);
  Write(code.data(), 4);
}

void RiffWriter::Bytes(std::span<const std::uint8_t> bytes) { Write(bytes.data(), bytes.size()); }

void RiffWriter::Zeros(std::uint64_t count) {
  static const std::array<std::uint8_t, 4096> kZeros{};
  while (count > 0) {
    const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(count, kZeros.size()));
    Write(kZeros.data(), n);
    count -= n;
  }
}

void RiffWriter::Seek(std::uint64_t position) {
  assert(m_file != nullptr && position <= m_end);
  if (position == m_position) return;
  if (fseeko(m_file, static_cast<off_t>(position), SEEK_SET) != 0) {
    throw WriteFailure(m_path);
  }
  m_position = position;
}

void RiffWriter::PatchU32(std::uint64_t position, std::uint32_t value) {
  const std::uint64_t back = m_position;
  Seek(position);
  U32(value);
  Seek(back);
}

void RiffWriter::Close() {
  std::FILE* file = m_file;
  if (file == nullptr) return;
  m_file = nullptr;
  const bool flushed = std::fflush(file) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!flushed || !closed) throw WriteFailure(m_path);
}

}  // namespace sf
