// Writing RIFF files: a chunk begins with a placeholder size, and ending it patches
// the real size and pads an odd body with a zero byte. Positions are 64-bit.
//   RiffWriter riff(path);
//   const auto hdrl = riff.BeginList("hdrl");  riff.U32(width);  riff.EndChunk(hdrl);
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

namespace sf {

class RiffWriter {
 public:
  // Creates or truncates the file; throws std::runtime_error when it cannot.
  explicit RiffWriter(const std::string& path);
  // Closes the file without reporting errors; call Close to learn of them.
  ~RiffWriter();
  RiffWriter(const RiffWriter&) = delete;
  RiffWriter& operator=(const RiffWriter&) = delete;

  // Where a chunk's header starts; EndChunk needs it.
  struct Chunk {
    std::uint64_t start = 0;
  };

  Chunk BeginChunk(std::string_view id);
  // A list chunk: "LIST" by default, "RIFF" for a RIFF form; type is its form.
  Chunk BeginList(std::string_view type, std::string_view id = "LIST");
  // Patches the size (body bytes after the 8-byte header) and pads an odd body.
  // Throws std::length_error for a body above 4 GiB - 1.
  void EndChunk(const Chunk& chunk);

  void U8(std::uint8_t value);
  void U16(std::uint16_t value);
  void U32(std::uint32_t value);
  void U64(std::uint64_t value);
  void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
  // Exactly four characters.
  void FourCC(std::string_view code);
  void Bytes(std::span<const std::uint8_t> bytes);
  void Zeros(std::uint64_t count);

  std::uint64_t Position() const { return m_position; }
  // The end of everything written so far.
  std::uint64_t End() const { return m_end; }
  // Moves the write position, to fill an area reserved earlier; SeekEnd returns.
  void Seek(std::uint64_t position);
  void SeekEnd() { Seek(m_end); }
  // Overwrites four bytes at an earlier position and keeps the write position.
  void PatchU32(std::uint64_t position, std::uint32_t value);

  // Flushes and closes; throws std::runtime_error when the data did not reach
  // the file. Nothing may be written afterwards.
  void Close();

 private:
  void Write(const void* data, std::size_t size);

  std::string m_path;
  std::FILE* m_file = nullptr;
  std::uint64_t m_position = 0;
  std::uint64_t m_end = 0;
};

}  // namespace sf
