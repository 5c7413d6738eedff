// Fields and codes of AVI files shared by the writer and the reader: the stream
// header, the WAVE audio format, index flags and four-character codes.
//   AviStreamHeader video;  video.type = "vids";  video.scale = 100000;
//   if (entry.flags & kAviIndexKeyFrame) ...
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace sf {

// idx1 and AVIStreamWrite flags.
inline constexpr std::uint32_t kAviIndexList = 0x01;
inline constexpr std::uint32_t kAviIndexKeyFrame = 0x10;
// avih flags.
inline constexpr std::uint32_t kAviHasIndex = 0x10;

// BITMAPINFOHEADER compressions.
inline constexpr std::uint32_t kBiRgb = 0;
inline constexpr std::uint32_t kBiBitfields = 3;

// A four-character code as the little-endian number files store.
constexpr std::uint32_t FourCCValue(std::string_view code) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4 && i < code.size(); ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(code[i])) << (8 * i);
  }
  return value;
}

// The frame rectangle of a stream header (left, top, right, bottom).
struct AviRect {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
};

// The 56-byte strh chunk.
struct AviStreamHeader {
  std::string type;           // fccType: "vids", "auds", ...
  std::uint32_t handler = 0;  // fccHandler
  std::uint32_t flags = 0;
  std::uint16_t priority = 0;
  std::uint16_t language = 0;
  std::uint32_t initial_frames = 0;
  std::uint32_t scale = 0;
  std::uint32_t rate = 0;
  std::uint32_t start = 0;
  std::uint32_t length = 0;
  std::uint32_t suggested_buffer_size = 0;
  std::uint32_t quality = 0;
  std::uint32_t sample_size = 0;
  AviRect frame;
};

// WAVEFORMATEX: 18 bytes in a stream format or a WAV file's fmt chunk.
struct WaveFormat {
  std::uint16_t format_tag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samples_per_second = 0;
  std::uint32_t average_bytes_per_second = 0;
  std::uint16_t block_align = 0;
  std::uint16_t bits_per_sample = 0;
  std::uint16_t extra_size = 0;

  // The six fields two WAV files must share to go into one stream.
  bool SameLayout(const WaveFormat& other) const {
    return format_tag == other.format_tag && channels == other.channels &&
           samples_per_second == other.samples_per_second &&
           average_bytes_per_second == other.average_bytes_per_second && block_align == other.block_align &&
           bits_per_sample == other.bits_per_sample;
  }
};

// "00dc", "01wb": the stream number in two digits and a two-letter kind.
std::string StreamChunkId(int stream, std::string_view kind);
// The stream number of a chunk id such as "01wb", or -1.
int StreamOfChunkId(std::string_view id);

}  // namespace sf
