// The compressors of a video stream and the choice that stands in for the
// platform's compression dialog: uncompressed frames ("DIB ", the BMP body as
// it is) and Motion JPEG ("MJPG") with a quality.
//   FixedChooser chooser({Codec::kMotionJpeg, 85});
//   writer->BeginVideo(first_frame, {}, &chooser);
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "image/bitmap.h"

namespace sf {

enum class Codec : std::uint8_t { kUncompressed, kMotionJpeg };

struct Compression {
  Codec codec = Codec::kUncompressed;
  int quality = 75;  // 1..100, Motion JPEG only; values outside are clamped
  friend bool operator==(const Compression&, const Compression&) = default;
};

// What a compression dialog offers, for the window that draws one.
struct CompressorInfo {
  Codec codec;
  std::string_view fourcc;
  std::string_view name;
  bool has_quality;
};
std::span<const CompressorInfo> Compressors();

// Asked once per video stream, with the options the caller passed.
class CompressorChooser {
 public:
  virtual ~CompressorChooser() = default;
  // The chosen compression, or nullopt when the person cancelled.
  virtual std::optional<Compression> Choose(const Compression& current) = 0;
};

// Answers every question with the same choice (the command line, tests).
class FixedChooser final : public CompressorChooser {
 public:
  explicit FixedChooser(std::optional<Compression> choice) : m_choice(choice) {}
  std::optional<Compression> Choose(const Compression&) override { return m_choice; }

 private:
  std::optional<Compression> m_choice;
};

// Whether uncompressed frames of this pixel format can be stored: 8-bit with a
// palette, 16-bit 5-5-5, 24-bit and 32-bit 8-8-8.
bool IsStorableFrame(const Bitmap& frame);

// The stream format of frames like this one: a 40-byte BITMAPINFOHEADER and,
// for uncompressed paletted frames, one 4-byte entry per palette colour.
std::vector<std::uint8_t> VideoFrameFormat(const Bitmap& frame, Codec codec);

class FrameCompressor {
 public:
  explicit FrameCompressor(const Compression& compression);

  const Compression& Settings() const { return m_compression; }
  // The fccHandler of the stream header.
  std::uint32_t Handler() const;
  // "db" for uncompressed chunks, "dc" for compressed ones.
  std::string_view ChunkKind() const;
  // One frame's bytes, valid until the next call. A repeat (the same picture
  // as the frame before) gives the bytes it gave, not compressed again.
  // Throws std::runtime_error when the compressor fails.
  std::span<const std::uint8_t> Compress(const Bitmap& frame, bool repeat = false);

 private:
  Compression m_compression;
  std::vector<std::uint8_t> m_buffer;
};

}  // namespace sf
