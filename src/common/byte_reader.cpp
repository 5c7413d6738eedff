#include "common/byte_reader.h"

#include "common/format_error.h"

namespace sf {

void ByteReader::Need(std::size_t n) const {
  if (n > Remaining()) throw FormatError("Unexpected end of data");
}

std::uint8_t ByteReader::U8() {
  Need(1);
  return m_data[m_pos++];
}

std::uint8_t ByteReader::PeekU8() const {
  Need(1);
  return m_data[m_pos];
}

std::uint16_t ByteReader::U16() {
  Need(2);
  const std::uint16_t v = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
  m_pos += 2;
  return v;
}

std::uint32_t ByteReader::U32() {
  Need(4);
  const std::uint32_t v = static_cast<std::uint32_t>(m_data[m_pos]) |
                          (static_cast<std::uint32_t>(m_data[m_pos + 1]) << 8) |
                          (static_cast<std::uint32_t>(m_data[m_pos + 2]) << 16) |
                          (static_cast<std::uint32_t>(m_data[m_pos + 3]) << 24);
  m_pos += 4;
  return v;
}

std::uint16_t ByteReader::U16BigEndian() {
  Need(2);
  const std::uint16_t v = static_cast<std::uint16_t>((m_data[m_pos] << 8) | m_data[m_pos + 1]);
  m_pos += 2;
  return v;
}

std::uint32_t ByteReader::U32BigEndian() {
  Need(4);
  const std::uint32_t v = (static_cast<std::uint32_t>(m_data[m_pos]) << 24) |
                          (static_cast<std::uint32_t>(m_data[m_pos + 1]) << 16) |
                          (static_cast<std::uint32_t>(m_data[m_pos + 2]) << 8) |
                          static_cast<std::uint32_t>(m_data[m_pos + 3]);
  m_pos += 4;
  return v;
}

std::string ByteReader::FourCC() {
  const auto bytes = Take(4);
  return std::string(bytes.begin(), bytes.end());
}

std::span<const std::uint8_t> ByteReader::Take(std::size_t n) {
  Need(n);
  const auto out = m_data.subspan(m_pos, n);
  m_pos += n;
  return out;
}

ByteReader ByteReader::Sub(std::size_t n) { return ByteReader(Take(n)); }

void ByteReader::Skip(std::size_t n) {
  Need(n);
  m_pos += n;
}

void ByteReader::Seek(std::size_t offset) {
  if (offset > m_data.size()) throw FormatError("Unexpected end of data");
  m_pos = offset;
}

}  // namespace sf
