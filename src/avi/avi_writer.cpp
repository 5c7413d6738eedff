#include "avi/avi_writer.h"

#include <algorithm>
#include <exception>
#include <limits>
#include <utility>

#include "avi/mapped_file.h"
#include "avi/wav_reader.h"
#include "common/format_error.h"

namespace sf {

namespace {

constexpr std::uint32_t kDefaultQuality = 0xFFFFFFFFu;
// Sound is split into chunks of at most this size, so that no chunk outgrows a
// RIFF segment and readers need no huge buffer.
constexpr std::size_t kAudioChunkLimit = std::size_t{1} << 20;

std::vector<std::uint8_t> WaveFormatBytes(const WaveFormat& f) {
  std::vector<std::uint8_t> out;
  const auto put = [&out](std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  };
  put(f.format_tag, 2);                // wFormatTag
  put(f.channels, 2);                  // nChannels
  put(f.samples_per_second, 4);        // nSamplesPerSec
  put(f.average_bytes_per_second, 4);  // nAvgBytesPerSec
  put(f.block_align, 2);               // nBlockAlign
  put(f.bits_per_sample, 2);           // wBitsPerSample
  put(0, 2);                           // cbSize
  return out;
}

}  // namespace

std::unique_ptr<AviWriter> AviWriter::Open(const std::string& path, double time_base, double frames_per_second,
                                           const WaveFormat* audio_format, const AviLayoutOptions& layout) {
  constexpr long double kMax32 = std::numeric_limits<std::uint32_t>::max();
  const long double product = static_cast<long double>(time_base) * static_cast<long double>(frames_per_second);
  // Comparisons written so that NaN fails them too.
  if (!(time_base >= 1.0 && time_base <= kMax32) || !(product >= 1.0L && product <= kMax32)) return nullptr;
  std::unique_ptr<AviMuxer> muxer;
  try {
    muxer = std::make_unique<AviMuxer>(path, layout);
  } catch (const std::exception&) {
    return nullptr;
  }
  const auto scale = static_cast<std::uint32_t>(time_base);
  const auto rate = static_cast<std::uint32_t>(product);  // truncation toward zero
  return std::unique_ptr<AviWriter>(new AviWriter(std::move(muxer), scale, rate, audio_format));
}

AviWriter::AviWriter(std::unique_ptr<AviMuxer> muxer, std::uint32_t scale, std::uint32_t rate, const WaveFormat* audio)
    : m_muxer(std::move(muxer)), m_scale(scale), m_rate(rate) {
  if (audio != nullptr) m_audio_format = *audio;
}

AviResult AviWriter::Close(std::unique_ptr<AviWriter> writer, std::string* reason) {
  if (!writer) return AVIERR_BADHANDLE;
  try {
    writer->m_muxer->Finish();
  } catch (const std::exception& failure) {
    if (reason != nullptr) *reason = failure.what();
    writer->m_muxer.reset();
    return AVIERR_FILEWRITE;
  }
  writer->m_muxer.reset();
  return AVIERR_OK;
}

AviWriter::~AviWriter() {
  if (!m_muxer) return;
  try {
    m_muxer->Finish();
  } catch (const std::exception&) {
    // A destructor cannot report; Close does.
  }
}

AviResult AviWriter::Fail(AviResult code, std::string reason) {
  m_failed = true;
  m_reason = std::move(reason);
  return code;
}

AviResult AviWriter::Refuse(AviResult code, std::string reason) {
  m_reason = std::move(reason);
  return code;
}

void AviWriter::CreateVideoStream(const Bitmap& frame) {
  AviStreamHeader header;
  header.type = "vids";
  header.scale = m_scale;
  header.rate = m_rate;
  header.suggested_buffer_size = static_cast<std::uint32_t>(frame.ImageSize());
  header.frame = AviRect{0, 0, frame.Width(), frame.Height()};
  m_video_stream = m_muxer->AddStream(header, VideoFrameFormat(frame, Codec::kUncompressed));
}

void AviWriter::SetUpCompression(const Compression& compression, const Bitmap& frame) {
  m_compressor.emplace(compression);
  m_layout = FrameLayout{frame.Width(), frame.Height(), frame.Format(), frame.Palette()};
  m_muxer->Header(m_video_stream).handler = m_compressor->Handler();
  m_muxer->SetFormat(m_video_stream, VideoFrameFormat(frame, compression.codec));
}

AviResult AviWriter::BeginVideo(const Bitmap& first_frame, const Compression& options, CompressorChooser* chooser) {
  if (first_frame.Empty()) return AVIERR_BADPARAM;
  if (m_failed) return AVIERR_ERROR;
  if (m_compressor) return AVIERR_COMPRESSOR;
  if (!IsStorableFrame(first_frame)) return AVIERR_BADFORMAT;
  if (m_video_stream < 0) CreateVideoStream(first_frame);
  Compression choice = options;
  if (chooser != nullptr) {
    const auto chosen = chooser->Choose(options);
    if (!chosen) return Fail(AVIERR_USERABORT);
    choice = *chosen;
  }
  SetUpCompression(choice, first_frame);
  return AVIERR_OK;
}

AviResult AviWriter::CheckFrame(const Bitmap& frame) const {
  if (frame.Width() != m_layout.width || frame.Height() != m_layout.height) return AVIERR_BADSIZE;
  // A Motion JPEG frame is encoded from its colours, whatever its format.
  if (m_compressor->Settings().codec == Codec::kMotionJpeg) return AVIERR_OK;
  if (frame.Format() != m_layout.format || !IsStorableFrame(frame)) return AVIERR_BADFORMAT;
  if (frame.IsPaletted() && frame.Palette() != m_layout.palette) return AVIERR_BADFORMAT;
  return AVIERR_OK;
}

AviResult AviWriter::AddFrame(const Bitmap& frame, bool repeat) {
  if (frame.Empty()) return AVIERR_BADPARAM;
  if (m_failed) return AVIERR_ERROR;
  if (m_video_stream < 0) {
    if (!IsStorableFrame(frame)) return AVIERR_BADFORMAT;
    CreateVideoStream(frame);
  }
  if (!m_compressor) SetUpCompression(Compression{}, frame);
  if (const AviResult check = CheckFrame(frame); check != AVIERR_OK) return check;
  std::span<const std::uint8_t> data;
  try {
    data = m_compressor->Compress(frame, repeat);
  } catch (const std::exception& failure) {
    return Fail(AVIERR_CANTCOMPRESS, failure.what());
  }
  try {
    m_muxer->WriteChunk(m_video_stream, m_compressor->ChunkKind(), data, kAviIndexKeyFrame, 1);
  } catch (const std::exception& failure) {
    return Fail(AVIERR_FILEWRITE, failure.what());
  }
  ++m_next_frame;
  return AVIERR_OK;
}

AviResult AviWriter::AddWav(const std::string& path) {
  if (path.empty()) return AVIERR_BADPARAM;
  if (m_failed) return AVIERR_ERROR;
  std::shared_ptr<const MappedFile> file;
  try {
    file = MappedFile::Open(path);
  } catch (const std::exception& failure) {
    return Fail(AVIERR_FILEOPEN, failure.what());
  }
  return AddWavData(file->Bytes());
}

AviResult AviWriter::AddWav(std::span<const std::uint8_t> wav_image) {
  if (wav_image.empty()) return AVIERR_BADPARAM;
  if (m_failed) return AVIERR_ERROR;
  return AddWavData(wav_image);
}

AviResult AviWriter::AddWavData(std::span<const std::uint8_t> file) {
  WavData wav;
  try {
    wav = ReadWav(file);
  } catch (const FormatError& failure) {
    return Refuse(AVIERR_FILEREAD, failure.what());
  }
  const WaveFormat& format = m_audio_format.channels == 0 ? wav.format : m_audio_format;
  if (!format.SameLayout(wav.format)) {
    return Refuse(AVIERR_BADFORMAT, "The WAV file's sample format differs from the sound track's");
  }
  // The stream rate is block align x sample rate, which must fit in 32 bits.
  if (std::uint64_t{format.block_align} * format.samples_per_second > std::numeric_limits<std::uint32_t>::max()) {
    return Refuse(AVIERR_BADFORMAT, "The WAV file's byte rate does not fit an AVI stream");
  }
  // 64-bit, as data sizes from 512 MiB on overflow data size x 8 in 32 bits.
  const std::uint64_t samples = std::uint64_t{wav.samples.size()} * 8 / format.bits_per_sample / format.channels;
  if (samples > std::numeric_limits<std::uint32_t>::max() - m_next_sample) {
    return Refuse(AVIERR_BADSIZE, "The sound track would hold more samples than an AVI stream can count");
  }

  m_audio_format = format;
  m_audio_format.extra_size = 0;
  if (m_audio_stream < 0) {
    AviStreamHeader header;
    header.type = "auds";
    header.scale = format.block_align;
    header.rate = format.block_align * format.samples_per_second;
    header.sample_size = format.block_align;
    header.quality = kDefaultQuality;
    m_audio_stream = m_muxer->AddStream(header, WaveFormatBytes(m_audio_format));
  }
  return WriteSamples(wav.samples, static_cast<std::uint32_t>(samples));
}

AviResult AviWriter::WriteSamples(std::span<const std::uint8_t> data, std::uint32_t samples) {
  const std::size_t block = m_audio_format.block_align;
  const std::size_t chunk_size = std::max<std::size_t>(1, kAudioChunkLimit / block) * block;
  std::uint32_t left = samples;
  try {
    for (std::size_t at = 0; at < data.size(); at += chunk_size) {
      const auto piece = data.subspan(at, std::min(chunk_size, data.size() - at));
      const bool last = at + piece.size() == data.size();
      // The last chunk carries whatever the blocks before it did not count.
      const auto duration =
          last ? left : std::min<std::uint32_t>(left, static_cast<std::uint32_t>(piece.size() / block));
      m_muxer->WriteChunk(m_audio_stream, "wb", piece, 0, duration);
      left -= duration;
    }
  } catch (const std::exception& failure) {
    return Fail(AVIERR_FILEWRITE, failure.what());
  }
  m_next_sample += samples;
  return AVIERR_OK;
}

}  // namespace sf
