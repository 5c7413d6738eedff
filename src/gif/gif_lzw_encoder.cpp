#include "gif/gif_lzw_encoder.h"

#include <array>
#include <memory>

namespace sf {

namespace {

constexpr int kMaxCodeWidth = 12;
// The last code assigned before the encoder starts a new table.
constexpr int kLastCode = 4094;

// Codes are packed least significant bit first.
class CodeWriter {
 public:
  void Write(int code, int width) {
    m_buffer |= static_cast<std::uint32_t>(code) << m_bits;
    m_bits += width;
    while (m_bits >= 8) {
      m_out.push_back(static_cast<std::uint8_t>(m_buffer & 0xFF));
      m_buffer >>= 8;
      m_bits -= 8;
    }
  }

  std::vector<std::uint8_t> Finish() {
    if (m_bits > 0) m_out.push_back(static_cast<std::uint8_t>(m_buffer & 0xFF));
    return std::move(m_out);
  }

 private:
  std::vector<std::uint8_t> m_out;
  std::uint32_t m_buffer = 0;
  int m_bits = 0;
};

// (prefix code, next index) -> code, open addressing; a new generation empties
// the table without touching its slots.
class StringTable {
 public:
  void Reset() { ++m_generation; }

  int Find(int prefix, int index) const {
    const std::uint32_t key = Key(prefix, index);
    for (std::uint32_t slot = Hash(key);; slot = (slot + 1) & kMask) {
      const Slot& s = m_slots[slot];
      if (s.generation != m_generation) return -1;
      if (s.key == key) return s.code;
    }
  }

  void Insert(int prefix, int index, int code) {
    const std::uint32_t key = Key(prefix, index);
    std::uint32_t slot = Hash(key);
    while (m_slots[slot].generation == m_generation) slot = (slot + 1) & kMask;
    m_slots[slot] = Slot{key, static_cast<std::uint16_t>(code), m_generation};
  }

 private:
  // Twice the 4096 codes of a table keeps the probes short.
  static constexpr std::uint32_t kSize = 8192;
  static constexpr std::uint32_t kMask = kSize - 1;
  struct Slot {
    std::uint32_t key = 0;
    std::uint16_t code = 0;
    std::uint32_t generation = 0;
  };

  static std::uint32_t Key(int prefix, int index) { return (static_cast<std::uint32_t>(prefix) << 8) | index; }
  static std::uint32_t Hash(std::uint32_t key) { return (key * 2654435761u >> 19) & kMask; }

  std::array<Slot, kSize> m_slots{};
  std::uint32_t m_generation = 1;
};

std::vector<std::uint8_t> EncodeLzw(std::span<const std::uint8_t> indices, int min_code_size) {
  const int clear = 1 << min_code_size;
  CodeWriter out;
  int width = min_code_size + 1;
  int next = clear + 2;
  out.Write(clear, width);
  if (!indices.empty()) {
    auto table = std::make_unique<StringTable>();
    int prefix = indices[0];
    for (std::size_t i = 1; i < indices.size(); ++i) {
      const int index = indices[i];
      const int found = table->Find(prefix, index);
      if (found >= 0) {
        prefix = found;
        continue;
      }
      out.Write(prefix, width);
      table->Insert(prefix, index, next);
      if (next++ == kLastCode) {
        out.Write(clear, width);
        table->Reset();
        width = min_code_size + 1;
        next = clear + 2;
      } else if (next > (1 << width) && width < kMaxCodeWidth) {
        ++width;
      }
      prefix = index;
    }
    out.Write(prefix, width);
    // The decoder adds an entry for this last code before it reads the end code.
    if (next + 1 > (1 << width) && width < kMaxCodeWidth) ++width;
  }
  out.Write(clear + 1, width);
  return out.Finish();
}

// Literal codes only; the decoder's table grows by one entry per code after the
// first, so a clear code comes before it would need a wider code.
std::vector<std::uint8_t> EncodeLiterals(std::span<const std::uint8_t> indices, int min_code_size) {
  const int clear = 1 << min_code_size;
  const int width = min_code_size + 1;
  const int run = clear - 2;
  CodeWriter out;
  out.Write(clear, width);
  int in_run = 0;
  for (const std::uint8_t index : indices) {
    if (in_run == run) {
      out.Write(clear, width);
      in_run = 0;
    }
    out.Write(index, width);
    ++in_run;
  }
  out.Write(clear + 1, width);
  return out.Finish();
}

}  // namespace

std::vector<std::uint8_t> EncodeGifLzw(std::span<const std::uint8_t> indices, int min_code_size,
                                       TGIFCompression compression) {
  return compression == TGIFCompression::gcRLE ? EncodeLiterals(indices, min_code_size)
                                               : EncodeLzw(indices, min_code_size);
}

}  // namespace sf
