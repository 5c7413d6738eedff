#include "ffmpeg/sound_track.h"

#include <algorithm>
#include <vector>

#include "avi/mapped_file.h"
#include "avi/wav_reader.h"
#include "common/format_error.h"

namespace sf {

namespace {

constexpr int kOutputRate = 48000;
constexpr int kMaxChannels = 8;
constexpr std::int64_t kFeedFrames = 4096;  // sample frames read from the WAV at a time
constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kFloat = 3;

struct InputFormat {
  AVSampleFormat format;
  bool widen_24;
};

InputFormat InputFormatOf(const WaveFormat& wav) {
  const int bits = wav.bits_per_sample;
  if (wav.format_tag == kPcm) {
    if (bits == 8) return {AV_SAMPLE_FMT_U8, false};
    if (bits == 16) return {AV_SAMPLE_FMT_S16, false};
    if (bits == 24) return {AV_SAMPLE_FMT_S32, true};
    if (bits == 32) return {AV_SAMPLE_FMT_S32, false};
  } else if (wav.format_tag == kFloat) {
    if (bits == 32) return {AV_SAMPLE_FMT_FLT, false};
    if (bits == 64) return {AV_SAMPLE_FMT_DBL, false};
  }
  throw FormatError("The sound track is neither integer PCM of 8, 16, 24 or 32 bits nor float PCM of 32 or 64 bits "
                    "(format tag " + std::to_string(wav.format_tag) + ", " + std::to_string(bits) + " bits)");
}

// Buffers for one resampler output, freed on leaving.
class SampleBuffers {
 public:
  SampleBuffers(int channels, int frames, AVSampleFormat format) {
    Check(av_samples_alloc(m_planes, nullptr, channels, std::max(frames, 1), format, 0),
          "Unable to allocate sound samples");
  }
  ~SampleBuffers() { av_freep(&m_planes[0]); }
  SampleBuffers(const SampleBuffers&) = delete;
  SampleBuffers& operator=(const SampleBuffers&) = delete;
  std::uint8_t** Planes() { return m_planes; }

 private:
  std::uint8_t* m_planes[kMaxChannels] = {};
};

}  // namespace

SoundTrack::SoundTrack(AVFormatContext* muxer, VideoCodec codec, std::shared_ptr<const MappedFile> wav)
    : m_muxer(muxer), m_file(std::move(wav)), m_frame(NewFrame()), m_packet(NewPacket()) {
  const WavData data = ReadWav(m_file->Bytes());
  const WaveFormat& format = data.format;
  const InputFormat input = InputFormatOf(format);
  if (format.channels > kMaxChannels) {
    throw FormatError("The sound track has " + std::to_string(format.channels) + " channels; at most 8 can be used");
  }
  if (format.block_align != format.channels * format.bits_per_sample / 8) {
    throw FormatError("The sound track's block alignment does not match its channels and sample size");
  }
  m_samples = data.samples.data();
  m_input_frames = static_cast<std::int64_t>(data.samples.size() / format.block_align);
  m_input_rate = static_cast<int>(std::min<std::uint32_t>(format.samples_per_second, 1u << 30));
  m_input_channels = format.channels;
  m_input_bytes = format.bits_per_sample / 8;
  m_widen_24 = input.widen_24;

  const char* name = codec == VideoCodec::kH264 ? "aac" : "libopus";
  const AVCodec* encoder = avcodec_find_encoder_by_name(name);
  if (encoder == nullptr) throw VideoError(std::string("The sound encoder ") + name + " is not available");
  m_encoder.reset(avcodec_alloc_context3(encoder));
  if (!m_encoder) ThrowAv("Unable to set up the sound encoder", AVERROR(ENOMEM));
  const int channels = format.channels == 1 ? 1 : 2;
  av_channel_layout_default(&m_encoder->ch_layout, channels);
  m_encoder->sample_rate = kOutputRate;
  m_encoder->sample_fmt = encoder->sample_fmts != nullptr ? encoder->sample_fmts[0] : AV_SAMPLE_FMT_FLTP;
  m_encoder->bit_rate = codec == VideoCodec::kH264 ? 96000 * channels : 64000 * channels;
  m_encoder->time_base = {1, kOutputRate};
  if (muxer->oformat->flags & AVFMT_GLOBALHEADER) m_encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  Check(avcodec_open2(m_encoder.get(), encoder, nullptr), std::string("Unable to open the sound encoder ") + name);

  m_stream = avformat_new_stream(muxer, nullptr);
  if (m_stream == nullptr) ThrowAv("Unable to add the sound stream", AVERROR(ENOMEM));
  Check(avcodec_parameters_from_context(m_stream->codecpar, m_encoder.get()), "Unable to describe the sound stream");
  m_stream->time_base = m_encoder->time_base;

  AVChannelLayout in_layout{};
  av_channel_layout_default(&in_layout, m_input_channels);
  SwrContext* resampler = nullptr;
  const int made = swr_alloc_set_opts2(&resampler, &m_encoder->ch_layout, m_encoder->sample_fmt, kOutputRate,
                                       &in_layout, input.format, m_input_rate, 0, nullptr);
  m_resampler.reset(resampler);
  av_channel_layout_uninit(&in_layout);
  Check(made, "Unable to set up the sound resampler");
  Check(swr_init(m_resampler.get()), "Unable to set up the sound resampler");

  const int frame_size = m_encoder->frame_size > 0 ? m_encoder->frame_size : 1024;
  m_fifo.reset(av_audio_fifo_alloc(m_encoder->sample_fmt, channels, frame_size * 4));
  if (!m_fifo) ThrowAv("Unable to allocate sound samples", AVERROR(ENOMEM));
  m_frame->nb_samples = frame_size;
  m_frame->format = m_encoder->sample_fmt;
  m_frame->sample_rate = kOutputRate;
  Check(av_channel_layout_copy(&m_frame->ch_layout, &m_encoder->ch_layout), "Unable to set up sound frames");
  Check(av_frame_get_buffer(m_frame.get(), 0), "Unable to allocate sound frames");
}

std::int64_t SoundTrack::InputFramesLeft() const { return m_input_frames - m_input_done; }

// Resamples frames sample frames of the WAV (0 drains the resampler) into the fifo.
void SoundTrack::Feed(std::int64_t frames) {
  const int count = static_cast<int>(frames);
  const std::uint8_t* input = m_samples + m_input_done * m_input_channels * m_input_bytes;
  std::vector<std::int32_t> widened;
  if (m_widen_24 && count > 0) {
    widened.resize(static_cast<std::size_t>(count) * static_cast<std::size_t>(m_input_channels));
    for (std::size_t i = 0; i < widened.size(); ++i) {
      const std::uint8_t* s = input + i * 3;
      widened[i] = static_cast<std::int32_t>(static_cast<std::uint32_t>(s[0]) << 8 |
                                             static_cast<std::uint32_t>(s[1]) << 16 |
                                             static_cast<std::uint32_t>(s[2]) << 24);
    }
    input = reinterpret_cast<const std::uint8_t*>(widened.data());
  }
  const int capacity = swr_get_out_samples(m_resampler.get(), count);
  Check(capacity, "Unable to resample the sound track");
  SampleBuffers out(m_encoder->ch_layout.nb_channels, capacity, m_encoder->sample_fmt);
  const std::uint8_t* in_planes[1] = {input};
  const int converted =
      Check(swr_convert(m_resampler.get(), out.Planes(), capacity, count > 0 ? in_planes : nullptr, count),
            "Unable to resample the sound track");
  if (converted > 0 &&
      av_audio_fifo_write(m_fifo.get(), reinterpret_cast<void**>(out.Planes()), converted) < converted) {
    ThrowAv("Unable to keep the resampled sound", AVERROR(ENOMEM));
  }
  m_input_done += frames;
}

// Encodes whole frames from the fifo; with last, the short rest as well.
void SoundTrack::EncodeFifo(bool last) {
  const int frame_size = m_frame->nb_samples > 0 && m_encoder->frame_size > 0 ? m_encoder->frame_size : 1024;
  for (;;) {
    const int available = av_audio_fifo_size(m_fifo.get());
    if (available == 0 || (available < frame_size && !last)) return;
    const int take = std::min(available, frame_size);
    m_frame->nb_samples = frame_size;
    Check(av_frame_make_writable(m_frame.get()), "Unable to encode the sound track");
    if (av_audio_fifo_read(m_fifo.get(), reinterpret_cast<void**>(m_frame->data), take) < take) {
      ThrowAv("Unable to encode the sound track", AVERROR_BUG);
    }
    m_frame->nb_samples = take;
    m_frame->pts = m_next_pts;
    m_next_pts += take;
    EncodeInto(m_muxer, m_encoder.get(), m_stream, m_frame.get(), m_packet.get(), "the sound track");
  }
}

void SoundTrack::EncodeUntil(Rational seconds) {
  if (m_finished || seconds.den <= 0) return;
  const std::int64_t target = seconds.num * kOutputRate / seconds.den;
  while (m_next_pts + av_audio_fifo_size(m_fifo.get()) < target && InputFramesLeft() > 0) {
    Feed(std::min(InputFramesLeft(), kFeedFrames));
  }
  EncodeFifo(false);
}

void SoundTrack::Finish() {
  if (m_finished) return;
  m_finished = true;
  while (InputFramesLeft() > 0) {
    Feed(std::min(InputFramesLeft(), kFeedFrames));
    EncodeFifo(false);
  }
  Feed(0);
  EncodeFifo(true);
  EncodeInto(m_muxer, m_encoder.get(), m_stream, nullptr, m_packet.get(), "the sound track");
}

}  // namespace sf
