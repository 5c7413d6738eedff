#include "gif/gif_lzw_decoder.h"

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

#include "gif/gif_sub_image.h"
#include "gif/gif_types.h"

namespace sf {

namespace {

constexpr int kMaxCodes = 4096;
constexpr int kMaxCodeWidth = 12;

// Codes are packed least significant bit first.
class CodeReader {
 public:
  explicit CodeReader(std::span<const std::uint8_t> data) : m_data(data) {}

  // False when the data holds fewer than width more bits.
  bool Read(int width, int& code) {
    while (m_bits < width) {
      if (m_pos == m_data.size()) return false;
      m_buffer |= static_cast<std::uint32_t>(m_data[m_pos++]) << m_bits;
      m_bits += 8;
    }
    code = static_cast<int>(m_buffer & ((1u << width) - 1));
    m_buffer >>= width;
    m_bits -= width;
    return true;
  }

 private:
  std::span<const std::uint8_t> m_data;
  std::size_t m_pos = 0;
  std::uint32_t m_buffer = 0;
  int m_bits = 0;
};

// Places decoded indices row by row in the order the data holds the rows.
class PixelSink {
 public:
  PixelSink(const LzwFrameLayout& layout, std::span<std::uint8_t> pixels, LzwDecodeOutcome& outcome)
      : m_layout(layout),
        m_rows(GifRowOrder(layout.height, layout.interlaced)),
        m_pixels(pixels),
        m_outcome(outcome) {}

  bool Full() const { return m_row == m_rows.size(); }

  void Put(int index) {
    if (Full()) return;
    if (index > 0xFF || (m_layout.color_count > 0 && index >= m_layout.color_count)) {
      index = 0;
      m_outcome.invalid_index = true;
    }
    const std::size_t y = static_cast<std::size_t>(m_rows[m_row]);
    m_pixels[y * static_cast<std::size_t>(m_layout.width) + static_cast<std::size_t>(m_x)] =
        static_cast<std::uint8_t>(index);
    if (++m_x == m_layout.width) {
      m_x = 0;
      ++m_row;
    }
  }

 private:
  const LzwFrameLayout& m_layout;
  std::vector<int> m_rows;
  std::span<std::uint8_t> m_pixels;
  LzwDecodeOutcome& m_outcome;
  std::size_t m_row = 0;
  int m_x = 0;
};

class LzwTable {
 public:
  explicit LzwTable(int min_code_size) : m_clear(1 << min_code_size) {
    for (int i = 0; i < m_clear; ++i) {
      m_prefix[i] = -1;
      m_suffix[i] = static_cast<std::uint16_t>(i);
      m_first[i] = static_cast<std::uint16_t>(i);
    }
  }

  int First(int code) const { return m_first[code]; }

  void Add(int code, int prefix, int suffix) {
    m_prefix[code] = static_cast<std::int16_t>(prefix);
    m_suffix[code] = static_cast<std::uint16_t>(suffix);
    m_first[code] = m_first[prefix];
  }

  // Every entry's prefix is a smaller code, so the walk ends within the table.
  void Emit(int code, PixelSink& sink) {
    int depth = 0;
    for (int c = code; c >= 0; c = m_prefix[c]) m_stack[depth++] = m_suffix[c];
    while (depth > 0) sink.Put(m_stack[--depth]);
  }

 private:
  int m_clear;
  std::array<std::int16_t, kMaxCodes> m_prefix{};
  std::array<std::uint16_t, kMaxCodes> m_suffix{};
  std::array<std::uint16_t, kMaxCodes> m_first{};
  std::array<std::uint16_t, kMaxCodes> m_stack{};
};

// The code width, the next free code and the previous code of one stream.
class LzwDecoder {
 public:
  LzwDecoder(int min_code_size, PixelSink& sink)
      : m_min_code_size(min_code_size), m_clear(1 << min_code_size), m_table(std::make_unique<LzwTable>(min_code_size)),
        m_sink(sink) {
    Reset();
  }

  int Width() const { return m_width; }

  // Handles one code; false once decoding has to stop: at the end code, or at a
  // code beyond the table (which sets bad_code).
  bool Step(int code, LzwDecodeOutcome& outcome) {
    if (code == m_clear) {
      Reset();
      return true;
    }
    if (code == m_clear + 1) return false;
    if (m_previous < 0) {
      // The first code after a clear must be a colour: there is nothing to extend yet.
      if (code == m_next) throw GIFException("Circular decoder table entry");
      if (code > m_clear) return Refuse(outcome);
    } else if (code > m_next) {
      return Refuse(outcome);
    } else if (m_next < kMaxCodes) {
      // For code == next the new entry is the previous string plus its own first index.
      m_table->Add(m_next, m_previous, m_table->First(code < m_next ? code : m_previous));
      if (++m_next == (1 << m_width) && m_width < kMaxCodeWidth) ++m_width;
    }
    m_table->Emit(code, m_sink);
    m_previous = code;
    return true;
  }

 private:
  static bool Refuse(LzwDecodeOutcome& outcome) {
    outcome.bad_code = true;
    return false;
  }

  void Reset() {
    m_width = m_min_code_size + 1;
    m_next = m_clear + 2;
    m_previous = -1;
  }

  int m_min_code_size;
  int m_clear;
  std::unique_ptr<LzwTable> m_table;
  PixelSink& m_sink;
  int m_width = 0;
  int m_next = 0;
  int m_previous = -1;
};

}  // namespace

LzwDecodeOutcome DecodeGifLzw(std::span<const std::uint8_t> data, int min_code_size, const LzwFrameLayout& layout,
                              std::span<std::uint8_t> pixels) {
  LzwDecodeOutcome outcome;
  if (layout.width <= 0 || layout.height <= 0) return outcome;
  if (min_code_size < 1 || min_code_size > kMaxCodeWidth - 1) {
    outcome.bad_code = true;
    return outcome;
  }
  PixelSink sink(layout, pixels, outcome);
  LzwDecoder decoder(min_code_size, sink);
  CodeReader reader(data);
  while (!sink.Full()) {
    int code = 0;
    if (!reader.Read(decoder.Width(), code)) {
      outcome.underrun = true;
      break;
    }
    if (!decoder.Step(code, outcome)) break;
  }
  return outcome;
}

}  // namespace sf
