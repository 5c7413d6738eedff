#include "avi/wav_reader.h"

#include <optional>

#include "avi/riff_reader.h"
#include "common/format_error.h"

namespace sf {

namespace {

constexpr std::size_t kCanonicalHeaderSize = 44;
constexpr std::uint16_t kWaveFormatExtensible = 0xFFFE;

WaveFormat ReadFormatChunk(const RiffChunk& chunk) {
  if (chunk.body.size() < 16) throw FormatError("WAV format chunk is too short");
  ByteReader reader = chunk.Reader();
  WaveFormat format;
  format.format_tag = reader.U16();
  format.channels = reader.U16();
  format.samples_per_second = reader.U32();
  format.average_bytes_per_second = reader.U32();
  format.block_align = reader.U16();
  format.bits_per_sample = reader.U16();
  // An extensible format names its real tag in the first two bytes of its
  // sub-format GUID (after cbSize, valid bits and the channel mask).
  if (format.format_tag == kWaveFormatExtensible && reader.Remaining() >= 2 + 2 + 4 + 2) {
    const std::uint16_t extra = reader.U16();
    if (extra >= 22) {
      reader.Skip(2 + 4);
      format.format_tag = reader.U16();
    }
  }
  if (format.channels == 0 || format.bits_per_sample == 0 || format.block_align == 0 ||
      format.samples_per_second == 0) {
    throw FormatError("WAV format has no channels, sample size or sample rate");
  }
  return format;
}

}  // namespace

WavData ReadWav(std::span<const std::uint8_t> file) {
  if (file.size() < kCanonicalHeaderSize) throw FormatError("WAV file is shorter than its 44-byte header");
  ByteReader header(file);
  if (header.FourCC() != "RIFF") throw FormatError("Not a RIFF WAVE file");
  header.Skip(4);
  if (header.FourCC() != "WAVE") throw FormatError("Not a RIFF WAVE file");

  // The RIFF size is not trusted (streaming writers leave it wrong): the
  // chunks are walked to the end of the file.
  RiffWalker walker(header.Rest(), header.Position());
  std::optional<WaveFormat> format;
  while (const auto chunk = walker.Next()) {
    if (chunk->id == "fmt ") {
      format = ReadFormatChunk(*chunk);
    } else if (chunk->id == "data") {
      if (!format) throw FormatError("WAV data comes before its format chunk");
      if (chunk->truncated) throw FormatError("WAV file is shorter than its data size says");
      return WavData{*format, chunk->body};
    }
  }
  throw FormatError(format ? "WAV file has no data chunk" : "WAV file has no format chunk");
}

}  // namespace sf
