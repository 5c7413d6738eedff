#include "support/exif_jpeg.h"

#include <stdexcept>

namespace sf::test {

namespace {

class TiffWriter {
 public:
  explicit TiffWriter(ByteOrder order) : m_big(order == ByteOrder::kMotorola) {}

  void U16(unsigned value) {
    const auto hi = static_cast<std::uint8_t>(value >> 8);
    const auto lo = static_cast<std::uint8_t>(value);
    if (m_big) {
      m_bytes.insert(m_bytes.end(), {hi, lo});
    } else {
      m_bytes.insert(m_bytes.end(), {lo, hi});
    }
  }
  void U32(std::uint32_t value) {
    if (m_big) {
      U16(value >> 16);
      U16(value & 0xFFFF);
    } else {
      U16(value & 0xFFFF);
      U16(value >> 16);
    }
  }
  std::vector<std::uint8_t>& Bytes() { return m_bytes; }

 private:
  bool m_big;
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace

std::vector<std::uint8_t> ExifOrientationBlock(int orientation, ByteOrder order) {
  TiffWriter tiff(order);
  const std::uint8_t order_mark = order == ByteOrder::kMotorola ? 'M' : 'I';
  tiff.Bytes() = {order_mark, order_mark};
  tiff.U16(42);      // TIFF magic
  tiff.U32(8);       // IFD0 right after the header
  tiff.U16(2);       // entries
  tiff.U16(0x0100);  // ImageWidth
  tiff.U16(4);       // LONG
  tiff.U32(1);       // one value
  tiff.U32(640);
  tiff.U16(0x0112);  // Orientation
  tiff.U16(3);       // SHORT
  tiff.U32(1);       // one value
  tiff.U16(static_cast<unsigned>(orientation));
  tiff.U16(0);       // the value field's other two bytes
  tiff.U32(0);       // no next IFD
  std::vector<std::uint8_t> body{'E', 'x', 'i', 'f', 0, 0};
  body.insert(body.end(), tiff.Bytes().begin(), tiff.Bytes().end());
  return body;
}

std::vector<std::uint8_t> WithApp1(const std::vector<std::uint8_t>& jpeg, const std::vector<std::uint8_t>& body) {
  if (jpeg.size() < 2 || jpeg[0] != 0xFF || jpeg[1] != 0xD8) throw std::invalid_argument("not a JPEG");
  if (body.size() + 2 > 0xFFFF) throw std::invalid_argument("APP1 body too long");
  const std::size_t length = body.size() + 2;
  std::vector<std::uint8_t> out{0xFF, 0xD8, 0xFF, 0xE1, static_cast<std::uint8_t>(length >> 8),
                                static_cast<std::uint8_t>(length)};
  out.insert(out.end(), body.begin(), body.end());
  out.insert(out.end(), jpeg.begin() + 2, jpeg.end());
  return out;
}

}  // namespace sf::test
