// Bounds-checked reading of little-endian binary data. Every read of file bytes
// goes through a ByteReader; a read past the end throws FormatError.
//   ByteReader r(bytes);
//   const std::uint16_t tag = r.U16();
//   ByteReader chunk = r.Sub(r.U32());   // a lying inner size stops at the chunk's end
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace sf {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> data) : m_data(data) {}

  std::uint8_t U8();
  std::uint16_t U16();
  std::uint32_t U32();
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }
  std::uint16_t U16BigEndian();
  std::uint32_t U32BigEndian();
  // Four bytes as text, for RIFF and chunk tags.
  std::string FourCC();

  std::span<const std::uint8_t> Take(std::size_t n);
  // A reader over the next n bytes only; this reader moves past them.
  ByteReader Sub(std::size_t n);
  void Skip(std::size_t n);
  // Moves to an absolute offset within this reader's data.
  void Seek(std::size_t offset);

  std::size_t Remaining() const { return m_data.size() - m_pos; }
  std::size_t Position() const { return m_pos; }
  std::size_t Size() const { return m_data.size(); }
  bool AtEnd() const { return m_pos == m_data.size(); }
  // The bytes not read yet, without moving.
  std::span<const std::uint8_t> Rest() const { return m_data.subspan(m_pos); }
  std::uint8_t PeekU8() const;

 private:
  void Need(std::size_t n) const;

  std::span<const std::uint8_t> m_data;
  std::size_t m_pos = 0;
};

}  // namespace sf
